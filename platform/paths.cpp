// The program folder and the paths of our files.
#include "platform/paths.h"

#include <windows.h>
#include <string.h>

wchar_t ProgramDir[ProgramDirSize];
wchar_t UserDir[ProgramDirSize];

const wchar_t ProfileFileName[] = L"profile.cfg";
const wchar_t SettingsFileName[] = L"settings.ini";

enum { LongestFilePath = 255 };

void CutAfterLastBackslash(wchar_t* path)
{
    wchar_t* last = wcsrchr(path, L'\\');
    if (last)
        last[1] = L'\0';
}

bool JoinPath(wchar_t* path, size_t size, const wchar_t* first, const wchar_t* second)
{
    size_t a = wcslen(first), b = wcslen(second);
    path[0] = L'\0';
    if (a + b >= size)
        return false;
    memcpy(path, first, a * sizeof(wchar_t));
    memcpy(path + a, second, (b + 1) * sizeof(wchar_t));
    return true;
}

void FormFilePath(wchar_t* path, size_t size, const wchar_t* dir, const wchar_t* fileName)
{
    // Without a known folder the name alone would land in the current one.
    if (!dir[0] || !JoinPath(path, size, dir, fileName) || wcslen(path) > LongestFilePath)
        path[0] = L'\0';
}

void ResolveProgramDir()
{
    DWORD n = GetModuleFileNameW(NULL, ProgramDir, ProgramDirSize);
    // A path that did not fit is not usable; XP does not terminate it.
    if (n == 0 || n >= ProgramDirSize)
        ProgramDir[0] = L'\0';
    else
        CutAfterLastBackslash(ProgramDir);
}
