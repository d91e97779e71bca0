// settings.ini: two sections, seven keys, written in a fixed order.
#include "config/settings.h"

#include <windows.h>
#include <stdio.h>

#include "core/paths.h"
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

int32_t ParseSettingValue(const char* text, int32_t defaultValue)
{
    int64_t value;
    return ParseDecimal(text, INT32_MIN, INT32_MAX, &value) ? (int32_t)value : defaultValue;
}

void LoadSettings()
{
    char path[MAX_PATH];
    FormLoadFilePath(path, sizeof path, SettingsName);
    if (!path[0])
        return;
    for (const SettingKey& k : SettingKeys) {
        // Read as text: GetPrivateProfileIntA would turn "abc" into 0, not the default.
        char text[64];
        DWORD n = GetPrivateProfileStringA(k.section, k.key, "", text, sizeof text, path);
        // A value that filled the buffer was cut: its digits are not all here.
        *k.field = n >= sizeof text - 1 ? k.defaultValue : ParseSettingValue(text, k.defaultValue);
    }
}

void SaveSettings()
{
    char path[MAX_PATH];
    FormSaveFilePath(path, sizeof path, SettingsName);
    if (!path[0])
        return;
    // The values stay in force in memory all the same.
    if (!CanReplaceFile(path))
        return;
    for (const SettingKey& k : SettingKeys) {
        char text[16];
        _snprintf(text, sizeof text, "%d", (int)*k.field);
        text[sizeof text - 1] = '\0';
        WritePrivateProfileStringA(k.section, k.key, text, path);
    }
}
