// settings.ini: two sections, seven keys, written in a fixed order.
#include "config/settings.h"

#include <windows.h>
#include <stdio.h>

#include "shell/app_state.h"

SettingsRecord Settings = { 50, 0 };
OsdSettingsRecord OsdSettings = { 0, 0xFF0000, 5, 3, 32 };

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

void FormSettingsPath(char* path, size_t size)
{
    FormProgramFilePath(path, size, "settings.ini");
}

static int IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

int32_t ParseSettingValue(const char* text, int32_t defaultValue)
{
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    int negative = 0;
    if (*p == '-' || *p == '+')
        negative = *p++ == '-';
    if (*p < '0' || *p > '9')
        return defaultValue;
    int64_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p++ - '0');
        if (value > 2147483648LL)
            return defaultValue;
    }
    while (IsBlank(*p))
        ++p;
    if (*p != '\0')
        return defaultValue;
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return defaultValue;
    return (int32_t)value;
}

void LoadSettings()
{
    char path[MAX_PATH];
    FormSettingsPath(path, sizeof path);
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
    FormSettingsPath(path, sizeof path);
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
