// Reading files that others may hold, waiting for them at a save, and
// telling a folder that refuses us from a file that is only busy.
#include "platform/file_access.h"

#include <stdio.h>
#include <string.h>

#include "platform/paths.h"

enum { HeldFileRetryMs = 100, MaxUnreadableFiles = 4, ReasonSize = 256 };

struct UnreadableFile {
    wchar_t path[MAX_PATH];
    DWORD error;
};

static UnreadableFile UnreadableFiles[MaxUnreadableFiles];
static int UnreadableCount;

static bool IsHoldError(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

HANDLE OpenForReading(const wchar_t* path, bool* missing)
{
    DWORD start = GetTickCount();
    for (;;) {
        HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        *missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        if (!IsHoldError(error) || GetTickCount() - start >= HeldFileWaitMs) {
            SetLastError(error);
            return file;
        }
        Sleep(HeldFileRetryMs);
    }
}

void NoteUnreadableFile(const wchar_t* path)
{
    DWORD error = GetLastError();
    for (int i = 0; i < UnreadableCount; ++i)
        if (wcscmp(UnreadableFiles[i].path, path) == 0)
            return;
    if (UnreadableCount < MaxUnreadableFiles) {
        UnreadableFile& f = UnreadableFiles[UnreadableCount++];
        lstrcpynW(f.path, path, MAX_PATH);
        f.error = error;
    }
}

// Why a file could not be read: a hold in our words, else the system's
// (nothing where it has no text for the error).
static void FormReason(DWORD error, wchar_t* reason)
{
    bool held = IsHoldError(error);
    if (held || !FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                                error, 0, reason, ReasonSize, NULL))
        lstrcpynW(reason, held ? L"Another program may be using it." : L"", ReasonSize);
    for (size_t n = wcslen(reason); n > 0 && (reason[n - 1] == L'\r' || reason[n - 1] == L'\n'); --n)
        reason[n - 1] = L'\0';
}

// Paths are shown in UTF-16, so that a folder named outside the ANSI code
// page is shown as it is. The text has room for the longest of every part.
void ReportUnreadableFiles(HWND owner)
{
    if (UnreadableCount == 0)
        return;
    wchar_t reasons[MaxUnreadableFiles][ReasonSize];
    const wchar_t* parts[5 + 4 * MaxUnreadableFiles] = { L"Quellon could not read\n\n" };
    int count = 1;
    bool held = false;
    for (int i = 0; i < UnreadableCount; ++i) {
        FormReason(UnreadableFiles[i].error, reasons[i]);
        held |= IsHoldError(UnreadableFiles[i].error);
        parts[count++] = UnreadableFiles[i].path;
        parts[count++] = L"\n";
        parts[count++] = reasons[i];
        parts[count++] = L"\n\n";
    }
    parts[count++] = L"This run's changes to ";
    parts[count++] = UnreadableCount > 1 ? L"them" : L"it";
    parts[count++] = L" will not be saved.";
    parts[count++] = held ? L" Close it, then start Quellon again." : L"";
    wchar_t text[160 + MaxUnreadableFiles * (MAX_PATH + ReasonSize)];
    size_t length = 0;
    for (int i = 0; i < count; ++i) {
        lstrcpynW(text + length, parts[i], (int)(ARRAYSIZE(text) - length));
        length += wcslen(text + length);
    }
    UnreadableCount = 0;    // said once
    MessageBoxW(owner, text, L"Quellon", MB_ICONWARNING);
}

// Whether another program holds path against the access wanted.
static bool IsHeld(const wchar_t* path, DWORD access)
{
    HANDLE file = CreateFileW(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return IsHoldError(GetLastError());
    CloseHandle(file);
    return false;
}

// The failed call's own error tells nothing reliable (Wine answers a held
// target of a replace with ERROR_ACCESS_DENIED): the files are asked.
bool AgainWhileHeld(const wchar_t* path, const wchar_t* other, DWORD access, DWORD start,
                    DWORD waitMs, bool* againWhenFree)
{
    const wchar_t* files[] = { path, other };
    bool held = false;
    for (const wchar_t* file : files)
        held = held || (file && IsHeld(file, access));
    if (held) {
        if (GetTickCount() - start >= waitMs)
            return false;
        Sleep(HeldFileRetryMs);
        *againWhenFree = true;
        return true;
    }
    // Let go between the failure and the question: once more. Free and
    // failing again is no hold.
    bool again = *againWhenFree;
    *againWhenFree = false;
    return again && GetTickCount() - start < waitMs;
}

void FinishCutReplace(const wchar_t* temp, const wchar_t* path, DWORD size)
{
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES &&
        GetFileAttributesExW(temp, GetFileExInfoStandard, &a) &&
        !(a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && a.nFileSizeHigh == 0 &&
        (size == 0 || a.nFileSizeLow == size))
        MoveFileExW(temp, path, MOVEFILE_WRITE_THROUGH);
}

// The read-only attribute of a folder means nothing to Windows, and a
// folder under Program Files can only be written by an administrator: only
// a real file tells. A folder so deep that the probe's name does not fit
// counts as writable: its files do not fit either, and a failed save is
// reported as everywhere.
bool CanMakeFileIn(const wchar_t* dir)
{
    wchar_t probe[MAX_PATH], name[32];
    unsigned long pid = GetCurrentProcessId();
    int n = _snwprintf(name, ARRAYSIZE(name), L"~quellon-%lu.tmp", pid);
    if (n < 0 || n >= (int)ARRAYSIZE(name) || !JoinPath(probe, MAX_PATH, dir, name))
        return true;
    HANDLE file = CreateFileW(probe, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS;    // a probe left by a crash: the folder takes files
    CloseHandle(file);
    return true;
}

bool LacksRightsToReplace(const wchar_t* path)
{
    DWORD attrs = GetFileAttributesW(path);
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    // Windows denies writing a read-only file; Wine running as root would not.
    if (attrs & FILE_ATTRIBUTE_READONLY)
        return true;
    // Opening changes nothing in the file; a save replaces it, hence DELETE.
    HANDLE file = CreateFileW(path, GENERIC_WRITE | DELETE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_ACCESS_DENIED;
    CloseHandle(file);
    return false;
}


