// settings.ini: two sections, nine keys, written in a fixed order.
#include "config/settings.h"

#include <windows.h>
#include <stdio.h>

#include "core/app_state.h"
#include "platform/file_access.h"
#include "platform/paths.h"
#include "core/text.h"

struct SettingKey {
    const wchar_t* section;
    const wchar_t* key;
    int32_t* field;
    int32_t defaultValue;
};

// The order in which the keys are read and written.
static const SettingKey SettingKeys[] = {
    { L"Settings", L"MouseMultiplier", &Settings.MouseMultiplier, 50 },
    { L"Settings", L"TrayDoubleClick", &Settings.TrayDoubleClick, 0 },
    { L"Settings", L"RepeatGap", &Settings.RepeatGap, 200 },
    { L"Settings", L"LongPress", &Settings.LongPress, 600 },
    { L"OSD", L"Enable", &OsdSettings.Enable, 0 },
    { L"OSD", L"Color", &OsdSettings.Color, 16711680 },
    { L"OSD", L"TextSize", &OsdSettings.TextSize, 5 },
    { L"OSD", L"Timeout", &OsdSettings.Timeout, 3 },
    { L"OSD", L"Opaque", &OsdSettings.Opaque, 32 },
};

// settings.ini stays an ANSI file: the W profile functions write ANSI into
// a file that does not begin with a UTF-16 mark; only its path needs them.
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
    wchar_t path[MAX_PATH];
    FormLoadFilePath(path, MAX_PATH, SettingsFileName);
    if (!path[0])
        return;
    // The profile functions read a locked file as a missing one: defaults.
    // The handle stays open while they read, so that nobody can take the
    // file between the look and the reads.
    bool missing = false;
    HANDLE file = OpenForReading(path, &missing);
    if (file == INVALID_HANDLE_VALUE && !missing) {
        SettingsUnreadable = true;
        NoteUnreadableFile(path);
    }
    for (const SettingKey& k : SettingKeys) {
        // Read as text: GetPrivateProfileInt would turn "abc" into 0, not the default.
        wchar_t wide[64];
        wide[0] = L'\0';
        DWORD n = file != INVALID_HANDLE_VALUE
                      ? GetPrivateProfileStringW(k.section, k.key, L"", wide, ARRAYSIZE(wide), path)
                      : 0;
        // Only digits, signs and blanks make a value: anything beyond ASCII is none of them.
        char text[ARRAYSIZE(wide)];
        for (DWORD i = 0; (text[i] = wide[i] < 0x80 ? (char)wide[i] : '?') != '\0'; ++i)
            continue;
        // A value that filled the buffer was cut: its digits are not all here.
        *k.field = n >= ARRAYSIZE(wide) - 1 ? k.defaultValue : ParseSettingValue(text, k.defaultValue);
    }
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

// Every key, in the order of the table; false when any write failed.
static bool WriteSettingKeys(const wchar_t* path)
{
    bool written = true;
    for (const SettingKey& k : SettingKeys) {
        wchar_t text[16];
        _snwprintf(text, ARRAYSIZE(text), L"%d", (int)*k.field);
        text[ARRAYSIZE(text) - 1] = L'\0';
        written = WritePrivateProfileStringW(k.section, k.key, text, path) && written;
    }
    // Where the system caches the file (Windows 9x), this writes it out. It
    // answers FALSE by design, so each key's own write is what counts.
    WritePrivateProfileStringW(NULL, NULL, NULL, path);
    return written;
}

// Writes settings.ini in the files folder, waiting up to waitMs while
// another program holds it; path receives its name.
static bool SaveSettingsIn(wchar_t* path, size_t size, DWORD waitMs)
{
    FormSaveFilePath(path, size, SettingsFileName);
    if (!path[0] || !CanReplaceFile(path))
        return false;
    DWORD start = GetTickCount();
    bool againWhenFree = true;
    while (!WriteSettingKeys(path))
        if (!AgainWhileHeld(path, NULL, GENERIC_WRITE, start, waitMs, &againWhenFree))
            return false;
    return true;
}

int SaveSettings(bool quiet, DWORD waitMs)
{
    if (SettingsUnreadable)
        return 0;    // said once at start
    wchar_t path[MAX_PATH];
    bool saved = SaveWithRightsFallback(SaveSettingsIn, path, MAX_PATH, waitMs);
    // A path too long to be used was never read either: nothing to report.
    if (!saved && path[0] && !quiet)
        MessageBoxA(ConfigDialog, SaveErrorText, "ERROR", MB_ICONERROR);
    return saved;
}
