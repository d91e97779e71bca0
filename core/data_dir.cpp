// Where our files are saved: beside the executable, or in the per-user
// folder where that folder cannot be written.
#include "core/paths.h"

#include <windows.h>
#include <shlobj.h>
#include <stdio.h>

// Whether a new file can be made in dir, tried for real: the read-only
// attribute of a folder means nothing to Windows, and a folder under
// Program Files can only be written by an administrator. A folder so deep
// that the probe's name does not fit counts as writable: its files do not
// fit either, and a failed save is reported as everywhere.
static bool CanWriteIn(const char* dir)
{
    char probe[MAX_PATH];
    int n = _snprintf(probe, sizeof probe, "%s~quellon-%lu.tmp", dir, GetCurrentProcessId());
    if (n < 0 || (size_t)n >= sizeof probe)
        return true;
    HANDLE file = CreateFileA(probe, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS;    // a probe left by a crash: the folder takes files
    CloseHandle(file);
    return true;
}

void ResolveDataDir()
{
    char appData[MAX_PATH] = "";
    if (ProgramDir[0] && !CanWriteIn(ProgramDir) &&
        SUCCEEDED(SHGetFolderPathA(NULL, CSIDL_APPDATA, NULL, SHGFP_TYPE_CURRENT, appData)) &&
        appData[0]) {
        int n = _snprintf(DataDir, ProgramDirSize, "%s\\Quellon\\", appData);
        if (n > 0 && n < ProgramDirSize)
            return;
    }
    // Writable, or no per-user folder to be had: beside the executable.
    lstrcpynA(DataDir, ProgramDir, ProgramDirSize);
}
