// The program folder and the paths of our files.
#include "platform/paths.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>

char ProgramDir[ProgramDirSize];
char DataDir[ProgramDirSize];
char UserDir[ProgramDirSize];

enum { LongestFilePath = 255 };

void CutAfterLastBackslash(char* path)
{
    char* last = strrchr(path, '\\');
    if (last)
        last[1] = '\0';
}

// dir followed by fileName, or an empty text when it does not fit.
static void FormFilePath(char* path, size_t size, const char* dir, const char* fileName)
{
    // Without a known folder the name alone would land in the current one.
    if (!dir[0]) {
        path[0] = '\0';
        return;
    }
    int n = _snprintf(path, size, "%s%s", dir, fileName);
    if (n < 0 || n > LongestFilePath || (size_t)n >= size)
        path[0] = '\0';
}

void FormProgramFilePath(char* path, size_t size, const char* fileName)
{
    FormFilePath(path, size, ProgramDir, fileName);
}

const char* FilesDir()
{
    return DataDir[0] ? DataDir : ProgramDir;
}

bool MoveFilesToUserDir()
{
    if (!UserDir[0] || strcmp(FilesDir(), UserDir) == 0)
        return false;
    memcpy(DataDir, UserDir, ProgramDirSize);
    return true;
}

void FormSaveFilePath(char* path, size_t size, const char* fileName)
{
    FormFilePath(path, size, FilesDir(), fileName);
    // The per-user folder is made on the first save; a copy that only reads
    // leaves no trace there.
    if (path[0] && strcmp(FilesDir(), ProgramDir) != 0)
        CreateDirectoryA(FilesDir(), NULL);
}

void FormLoadFilePath(char* path, size_t size, const char* fileName)
{
    FormFilePath(path, size, FilesDir(), fileName);
    if (!path[0] || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        FormProgramFilePath(path, size, fileName);
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
