// Which of the two folders our files are saved in, and which copy of each
// file is read.
#include "platform/paths.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/file_access.h"

static const wchar_t* const OurFiles[] = { ProfileFileName, SettingsFileName };

// A limited user may make new files in a folder whose existing files an
// administrator made and only he may replace: every save would fail there.
static bool ProgramDirTakesOurFiles()
{
    if (!CanMakeFileIn(ProgramDir))
        return false;
    for (const wchar_t* name : OurFiles) {
        wchar_t path[MAX_PATH];
        FormFilePath(path, MAX_PATH, ProgramDir, name);
        if (path[0] && LacksRightsToReplace(path))
            return false;
    }
    return true;
}

void ResolveDataDir()
{
    wchar_t appData[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(NULL, CSIDL_APPDATA, NULL, SHGFP_TYPE_CURRENT, appData)) ||
        !appData[0] || !JoinPath(UserDir, ProgramDirSize, appData, L"\\Quellon\\"))
        UserDir[0] = L'\0';
    if (ProgramDir[0] && UserDir[0] && !ProgramDirTakesOurFiles())
        memcpy(DataDir, UserDir, sizeof DataDir);
    else    // writable, or no per-user folder to be had: beside the executable
        memcpy(DataDir, ProgramDir, sizeof DataDir);
}

// Whether the file at path exists and was written after the one at other
// (or other is not there).
static bool WrittenLater(const wchar_t* path, const wchar_t* other)
{
    WIN32_FILE_ATTRIBUTE_DATA a, b;
    if (!path[0] || !GetFileAttributesExW(path, GetFileExInfoStandard, &a))
        return false;
    return !other[0] || !GetFileAttributesExW(other, GetFileExInfoStandard, &b) ||
           CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) > 0;
}

// Saves go to one folder only, but which one can change between runs (a
// file beside the executable marked read-only, and later not): the copy
// left in the other folder may be the older or the newer one.
void FormLoadFilePath(wchar_t* path, size_t size, const wchar_t* fileName)
{
    const wchar_t* otherDir = wcscmp(FilesFolder(), ProgramDir) == 0 ? UserDir : ProgramDir;
    wchar_t other[MAX_PATH];
    FormFilePath(path, size, FilesFolder(), fileName);
    FormFilePath(other, MAX_PATH, otherDir, fileName);
    if (WrittenLater(other, path))
        FormFilePath(path, size, otherDir, fileName);
}
