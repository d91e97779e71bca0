// settings.ini: two sections, seven keys, written in a fixed order.
#include "config/settings.h"

#include <windows.h>
#include <stdio.h>

#include "core/app_state.h"
#include "platform/file_access.h"
#include "platform/paths.h"
#include "core/text.h"

struct SettingKey {
    const char* section;
    const char* key;
    int32_t* field;
    int32_t defaultValue;
};

// The order in which the keys are read and written.
static const SettingKey SettingKeys[] = {
    { "Settings", "MouseMultiplier", &Settings.MouseMultiplier, 50 },
    { "Settings", "TrayDoubleClick", &Settings.TrayDoubleClick, 0 },
    { "OSD", "Enable", &OsdSettings.Enable, 0 },
    { "OSD", "Color", &OsdSettings.Color, 16711680 },
    { "OSD", "TextSize", &OsdSettings.TextSize, 5 },
    { "OSD", "Timeout", &OsdSettings.Timeout, 3 },
    { "OSD", "Opaque", &OsdSettings.Opaque, 32 },
};

static const char SettingsName[] = "settings.ini";
static const char SaveErrorText[] = "Error encountered saving settings";

// The file on disk could not be read: saving now would put defaults in the
// place of the user's values.
static bool SettingsUnreadable;

int32_t ParseSettingValue(const char* text, int32_t defaultValue)
{
    int64_t value;
    return ParseDecimal(text, INT32_MIN, INT32_MAX, &value) ? (int32_t)value : defaultValue;
}

void LoadSettings()
{
    SettingsUnreadable = false;
    char path[MAX_PATH];
    FormLoadFilePath(path, sizeof path, SettingsName);
    if (!path[0])
        return;
    // The profile functions read a locked file as a missing one: defaults.
    bool missing = false;
    HANDLE file = OpenForReading(path, &missing);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    else if (!missing) {
        SettingsUnreadable = true;
        NoteUnreadableFile(path);
    }
    for (const SettingKey& k : SettingKeys) {
        // Read as text: GetPrivateProfileIntA would turn "abc" into 0, not the default.
        char text[64] = "";
        DWORD n = file != INVALID_HANDLE_VALUE
                      ? GetPrivateProfileStringA(k.section, k.key, "", text, sizeof text, path)
                      : 0;
        // A value that filled the buffer was cut: its digits are not all here.
        *k.field = n >= sizeof text - 1 ? k.defaultValue : ParseSettingValue(text, k.defaultValue);
    }
}

// Writes every key to settings.ini in the files folder; path receives its name.
static bool SaveSettingsIn(char* path, size_t size)
{
    FormSaveFilePath(path, size, SettingsName);
    if (!path[0] || !CanReplaceFile(path))
        return false;
    bool written = true;
    for (const SettingKey& k : SettingKeys) {
        char text[16];
        _snprintf(text, sizeof text, "%d", (int)*k.field);
        text[sizeof text - 1] = '\0';
        written = WritePrivateProfileStringA(k.section, k.key, text, path) && written;
    }
    // Where the system caches the file (Windows 9x), this writes it out. It
    // answers FALSE by design, so each key's own write is what counts.
    WritePrivateProfileStringA(NULL, NULL, NULL, path);
    return written;
}

int SaveSettings(bool quiet)
{
    if (SettingsUnreadable)
        return 0;    // said once at start
    char path[MAX_PATH];
    bool saved = SaveWithRightsFallback(SaveSettingsIn, path, sizeof path);
    // A path too long to be used was never read either: nothing to report.
    if (!saved && path[0] && !quiet)
        MessageBoxA(ConfigDialog, SaveErrorText, "ERROR", MB_ICONERROR);
    return saved;
}
