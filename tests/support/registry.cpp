// Vendor registry set-up for tests.
#include "tests/support/registry.h"

static const char* const VendorKeys[] = {
    "Software\\Leadtek\\Video\\WFTV",
    "Software\\Leadtek\\Video\\WFFM",
    "Software\\Leadtek\\Video\\WFDVB-T",
};

static std::string KeyOf(const char* app)
{
    return std::string("Software\\Leadtek\\Video\\") + app;
}

void SetVendorPathRaw(const char* app, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, KeyOf(app).c_str(), 0, NULL, 0,
                        KEY_ALL_ACCESS | KEY_WOW64_32KEY, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Path", 0, type, (const BYTE*)data, size);
    RegCloseKey(key);
}

void SetVendorPath(const char* app, const std::string& dir)
{
    SetVendorPathRaw(app, REG_SZ, dir.c_str(), (DWORD)dir.size() + 1);
}

void SetPreviousSelector(DWORD value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Leadtek\\Video\\WFWitch", 0, NULL, 0,
                        KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Previous", 0, REG_DWORD, (const BYTE*)&value, sizeof value);
    RegCloseKey(key);
}

void ClearVendorRegistry()
{
    for (const char* k : VendorKeys) {
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, k, KEY_WOW64_32KEY, 0);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, k, KEY_WOW64_64KEY, 0);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Leadtek\\Video\\WFWitch");
}
