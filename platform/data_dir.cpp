// Where our files are saved: beside the executable, or in the per-user
// folder where that folder cannot be written.
#include "platform/paths.h"

#include <windows.h>
#include <shlobj.h>
#include <stdio.h>

#include "platform/file_access.h"

static const char* const OurFiles[] = { "profile.cfg", "settings.ini" };

// A limited user may make new files in a folder whose existing files an
// administrator made and only he may replace: every save would fail there.
static bool ProgramDirTakesOurFiles()
{
    if (!CanMakeFileIn(ProgramDir))
        return false;
    for (const char* name : OurFiles) {
        char path[MAX_PATH];
        FormProgramFilePath(path, sizeof path, name);
        if (path[0] && LacksRightsToReplace(path))
            return false;
    }
    return true;
}

void ResolveDataDir()
{
    char appData[MAX_PATH] = "";
    if (SUCCEEDED(SHGetFolderPathA(NULL, CSIDL_APPDATA, NULL, SHGFP_TYPE_CURRENT, appData)) &&
        appData[0]) {
        int n = _snprintf(UserDir, ProgramDirSize, "%s\\Quellon\\", appData);
        if (n < 0 || n >= ProgramDirSize)
            UserDir[0] = '\0';
    }
    if (ProgramDir[0] && UserDir[0] && !ProgramDirTakesOurFiles())
        lstrcpynA(DataDir, UserDir, ProgramDirSize);
    else    // writable, or no per-user folder to be had: beside the executable
        lstrcpynA(DataDir, ProgramDir, ProgramDirSize);
}
