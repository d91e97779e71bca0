// Reading files that others may hold, and telling a folder that refuses us
// from a file that is only busy.
#include "platform/file_access.h"

#include <stdio.h>
#include <string.h>

#include "platform/paths.h"

enum { HeldFileRetryMs = 100, MaxUnreadableFiles = 2 };

static char UnreadableFiles[MaxUnreadableFiles][MAX_PATH];
static int UnreadableCount;

HANDLE OpenForReading(const char* path, bool* missing)
{
    DWORD start = GetTickCount();
    for (;;) {
        HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        *missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        if (!held || GetTickCount() - start >= HeldFileWaitMs)
            return file;
        Sleep(HeldFileRetryMs);
    }
}

void NoteUnreadableFile(const char* path)
{
    for (int i = 0; i < UnreadableCount; ++i)
        if (strcmp(UnreadableFiles[i], path) == 0)
            return;
    if (UnreadableCount < MaxUnreadableFiles)
        lstrcpynA(UnreadableFiles[UnreadableCount++], path, MAX_PATH);
}

void ReportUnreadableFiles(HWND owner)
{
    if (UnreadableCount == 0)
        return;
    char text[160 + MaxUnreadableFiles * MAX_PATH];
    int n = _snprintf(text, sizeof text,
                      "Quellon could not read\n\n%s%s%s\n\n"
                      "Another program may be using %s. This run's changes to %s will not be "
                      "saved. Close that program, then start Quellon again.",
                      UnreadableFiles[0], UnreadableCount > 1 ? "\n" : "",
                      UnreadableCount > 1 ? UnreadableFiles[1] : "",
                      UnreadableCount > 1 ? "them" : "it", UnreadableCount > 1 ? "them" : "it");
    if (n < 0 || (size_t)n >= sizeof text)
        text[sizeof text - 1] = '\0';
    UnreadableCount = 0;    // said once
    MessageBoxA(owner, text, "Quellon", MB_ICONWARNING);
}

// The read-only attribute of a folder means nothing to Windows, and a
// folder under Program Files can only be written by an administrator: only
// a real file tells. A folder so deep that the probe's name does not fit
// counts as writable: its files do not fit either, and a failed save is
// reported as everywhere.
bool CanMakeFileIn(const char* dir)
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

bool LacksRightsToReplace(const char* path)
{
    DWORD attrs = GetFileAttributesA(path);
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    // Windows denies writing a read-only file; Wine running as root would not.
    if (attrs & FILE_ATTRIBUTE_READONLY)
        return true;
    // Opening changes nothing in the file; a save replaces it, hence DELETE.
    HANDLE file = CreateFileA(path, GENERIC_WRITE | DELETE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_ACCESS_DENIED;
    CloseHandle(file);
    return false;
}

bool SaveWithRightsFallback(bool (*saveIn)(char* path, size_t size), char* path, size_t size)
{
    bool saved = saveIn(path, size);
    if (!saved && path[0] && LacksRightsToSave(path) && MoveFilesToUserDir())
        saved = saveIn(path, size);
    return saved;
}

bool LacksRightsToSave(const char* path)
{
    char dir[MAX_PATH];
    lstrcpynA(dir, path, sizeof dir);
    CutAfterLastBackslash(dir);
    if (!CanMakeFileIn(dir) && GetLastError() == ERROR_ACCESS_DENIED)
        return true;
    return LacksRightsToReplace(path);
}
