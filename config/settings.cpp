// settings.ini: two sections, nine keys, written in a fixed order into the
// file as it stands, and saved whole.
#include "config/settings.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "core/app_state.h"
#include "core/ini_text.h"
#include "core/text.h"
#include "platform/paths.h"

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
    { "Settings", "RepeatGap", &Settings.RepeatGap, 200 },
    { "Settings", "LongPress", &Settings.LongPress, 600 },
    { "OSD", "Enable", &OsdSettings.Enable, 0 },
    { "OSD", "Color", &OsdSettings.Color, 16711680 },
    { "OSD", "TextSize", &OsdSettings.TextSize, 5 },
    { "OSD", "Timeout", &OsdSettings.Timeout, 3 },
    { "OSD", "Opaque", &OsdSettings.Opaque, 32 },
};

static const char SaveErrorText[] = "Error encountered saving settings";

// Room for the file as it stands and as it is written; a longer file is
// not ours to cut, and is not written.
enum { SettingsTextSize = 32768, ValueSize = 64 };

OurFile SettingsFile;
static char FileText[SettingsTextSize], NewText[SettingsTextSize];

// The values as they stand, to tell a change by the user.
static uint32_t SettingsHash()
{
    uint32_t hash = HashStart;
    for (const SettingKey& k : SettingKeys)
        hash = HashBytes(k.field, sizeof *k.field, hash);
    return hash;
}

int32_t ParseSettingValue(const char* text, int32_t defaultValue)
{
    int64_t value;
    return ParseDecimal(text, INT32_MIN, INT32_MAX, &value) ? (int32_t)value : defaultValue;
}

void LoadSettings()
{
    PlaceOurFile(&SettingsFile, SettingsFileName, 0);
    DWORD size = 0;
    ReadOurFile(&SettingsFile, FileText, sizeof FileText, &size);
    for (const SettingKey& k : SettingKeys) {
        char text[ValueSize];
        // A value too long to hold would be cut: its digits are not all here.
        *k.field = FindIniValue(FileText, size, k.section, k.key, text, sizeof text)
                       ? ParseSettingValue(text, k.defaultValue)
                       : k.defaultValue;
    }
    KeepLoadedContents(&SettingsFile, SettingsHash());
}

// Every key set in the file as it stands now, in the order of the table;
// the new length, 0 when the file or the result does not fit.
static DWORD FormSettingsText()
{
    DWORD size = 0;
    ReadCurrentCopy(&SettingsFile, FileText, sizeof FileText, &size);
    if (size == sizeof FileText)
        return 0;
    for (const SettingKey& k : SettingKeys) {
        char text[16];
        _snprintf(text, sizeof text, "%d", (int)*k.field);
        text[sizeof text - 1] = '\0';
        size = (DWORD)SetIniValue(FileText, size, k.section, k.key, text, NewText, sizeof NewText);
        if (size == 0)
            return 0;
        memcpy(FileText, NewText, size);
    }
    return size;
}

int SaveSettings(bool quiet, DWORD waitMs)
{
    DWORD size = FormSettingsText();
    SaveResult result = size ? SaveOurFile(&SettingsFile, FileText, size, SettingsHash(), waitMs) : SaveFailed;
    // A path too long to be used was never read either: nothing to report.
    if (result == SaveFailed && SettingsFile.savePath[0] && !quiet)
        MessageBoxA(ConfigDialog, SaveErrorText, "ERROR", MB_ICONERROR);
    return result != SaveFailed;
}
