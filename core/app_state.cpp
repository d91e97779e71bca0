// Values start-up works out once: paths, platform, icons, dialog windows.
#include "shell/app_state.h"

#include <stdio.h>
#include <string.h>

char ProgramDir[ProgramDirSize];
int NtFlag;
DWORD WindowsMajorVersion;
SwitchToThisWindowFn SwitchToThisWindowProc;
HICON NormalIcon;
HICON FlashIcon;
HWND ConfigDialog;
HWND SettingsDialog;

void SetNtFlagFromPlatform(DWORD platformId)
{
    NtFlag = platformId != VER_PLATFORM_WIN32_WINDOWS;
}

void CutAfterLastBackslash(char* path)
{
    char* last = strrchr(path, '\\');
    if (last)
        last[1] = '\0';
}

void FormProgramFilePath(char* path, size_t size, const char* fileName)
{
    // Without a known folder the name alone would land in the current one.
    if (!ProgramDir[0]) {
        path[0] = '\0';
        return;
    }
    int n = _snprintf(path, size, "%s%s", ProgramDir, fileName);
    if (n < 0 || n > 255 || (size_t)n >= size)
        path[0] = '\0';
}

void ResolveProgramDir()
{
    DWORD n = GetModuleFileNameA(NULL, ProgramDir, ProgramDirSize);
    // A path that did not fit is not usable; XP does not terminate it.
    if (n == 0 || n >= ProgramDirSize)
        ProgramDir[0] = '\0';
    else
        CutAfterLastBackslash(ProgramDir);
}

bool CanReplaceFile(const char* path)
{
    DWORD attrs = GetFileAttributesA(path);
    return attrs == INVALID_FILE_ATTRIBUTES ||
           !(attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}
