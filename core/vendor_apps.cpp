// Vendor application paths and the POWER key's launcher.
#include "core/vendor_apps.h"

#include <windows.h>
#include <string.h>

#include "platform/program_start.h"
#include "core/text.h"

char VendorAppPaths[VendorAppCount][VendorPathSize];

// The maker's installer is 32-bit and writes the 32-bit registry view; read
// only, so that users without administrator rights still find the paths.
#ifdef _WIN64
static const REGSAM RegistryRead = KEY_READ | KEY_WOW64_32KEY;
#else
static const REGSAM RegistryRead = KEY_READ;
#endif

struct VendorApp {
    const char* key;
    const char* fileName;
};

static const VendorApp VendorApps[VendorAppCount] = {
    { "Software\\Leadtek\\Video\\WFTV", "\\WFTV.exe" },
    { "Software\\Leadtek\\Video\\WFFM", "\\WFFM.exe" },
    { "Software\\Leadtek\\Video\\WFDVB-T", "\\DVBTAP.exe" },
};

// Reads one install path and appends the file name. A value that is not a
// string, or leaves no room for the file name, counts as not found.
static void ReadVendorPath(const VendorApp& app, char* out)
{
    out[0] = '\0';
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, app.key, 0, RegistryRead, &key) != ERROR_SUCCESS)
        return;
    char dir[VendorPathSize];
    DWORD type = 0;
    DWORD size = sizeof dir;
    LONG rc = RegQueryValueExA(key, "Path", NULL, &type, (BYTE*)dir, &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return;
    size_t len = FieldLength(dir, size);    // the stored text may lack its NUL
    // An installer may write "%ProgramFiles%\...", which CreateProcessA does
    // not expand.
    char expanded[VendorPathSize];
    const char* from = dir;
    if (type == REG_EXPAND_SZ) {
        if (len >= sizeof dir)
            return;
        dir[len] = '\0';
        DWORD n = ExpandEnvironmentStringsA(dir, expanded, sizeof expanded);
        if (n == 0 || n > sizeof expanded)
            return;
        len = n - 1;
        from = expanded;
    }
    size_t tail = strlen(app.fileName);
    if (len + tail + 1 > VendorPathSize)
        return;
    memcpy(out, from, len);
    memcpy(out + len, app.fileName, tail + 1);
}

void BuildVendorAppPaths()
{
    for (int i = 0; i < VendorAppCount; ++i)
        ReadVendorPath(VendorApps[i], VendorAppPaths[i]);
}

// The maker's own software records in "Previous" whether FM ran last.
static DWORD ReadPreviousSelector()
{
    DWORD selector = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Leadtek\\Video\\WFWitch", 0,
                      RegistryRead, &key) == ERROR_SUCCESS) {
        DWORD value = 0;
        DWORD size = sizeof value;
        if (RegQueryValueExA(key, "Previous", NULL, NULL, (BYTE*)&value, &size) == ERROR_SUCCESS)
            selector = value;
        RegCloseKey(key);
    }
    return selector;
}

void LaunchVendorApp()
{
    if (ReadPreviousSelector() != 0) {
        if (VendorAppPaths[VendorFm][0])
            StartProgramFile(VendorAppPaths[VendorFm]);
        return;
    }
    // A DVB-T application that cannot be started gives way to the TV one.
    if (VendorAppPaths[VendorDvbt][0] && StartProgramFile(VendorAppPaths[VendorDvbt]))
        return;
    if (VendorAppPaths[VendorTv][0])
        StartProgramFile(VendorAppPaths[VendorTv]);
}
