// The one place that decides where each file of ours is read and saved, and
// whether a save may write it.
#include "platform/our_files.h"

#include <shlobj.h>
#include <string.h>

#include "platform/paths.h"

static const wchar_t TempSuffix[] = L".tmp";

enum { HashChunk = 4096 };

uint32_t HashBytes(const void* bytes, size_t size, uint32_t hash)
{
    const unsigned char* p = (const unsigned char*)bytes;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ p[i]) * 16777619u;
    return hash;
}

void ResolveUserDir()
{
    wchar_t appData[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(NULL, CSIDL_APPDATA, NULL, SHGFP_TYPE_CURRENT, appData)) ||
        !appData[0] || !JoinPath(UserDir, ProgramDirSize, appData, L"\\Quellon\\"))
        UserDir[0] = L'\0';
}

static bool Exists(const wchar_t* path)
{
    return path[0] && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// A limited user may make new files in a folder whose existing files an
// administrator made and only he may replace: every save would fail there.
static bool ProgramDirTakesSave(const wchar_t* path)
{
    return CanMakeFileIn(ProgramDir) && !LacksRightsToReplace(path);
}

// The file named like path's in the folder of other.
static void InFolderOf(wchar_t* path, const wchar_t* other, const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    lstrcpynW(dir, other, MAX_PATH);
    CutAfterLastBackslash(dir);
    FormFilePath(path, MAX_PATH, other[0] ? dir : L"", name);
}

static void FinishCutSave(const wchar_t* path, DWORD wholeSize)
{
    wchar_t temp[MAX_PATH];
    if (path[0] && JoinPath(temp, MAX_PATH, path, TempSuffix))
        FinishCutReplace(temp, path, wholeSize);
}

void PlaceOurFile(OurFile* file, const wchar_t* name, DWORD wholeSize, const OurFile* companionOf)
{
    memset(file, 0, sizeof *file);
    lstrcpynW(file->name, name, OurFileNameSize);
    file->wholeSize = wholeSize;
    wchar_t program[MAX_PATH], user[MAX_PATH];
    FormFilePath(program, MAX_PATH, ProgramDir, file->name);
    FormFilePath(user, MAX_PATH, UserDir, file->name);
    FinishCutSave(program, wholeSize);
    FinishCutSave(user, wholeSize);
    if (companionOf) {
        InFolderOf(file->readPath, companionOf->readPath, file->name);
        InFolderOf(file->savePath, companionOf->savePath, file->name);
        FinishCutSave(file->readPath, wholeSize);
        FinishCutSave(file->savePath, wholeSize);
    } else if (Exists(user)) {
        lstrcpynW(file->readPath, user, MAX_PATH);
        lstrcpynW(file->savePath, user, MAX_PATH);
    } else if (program[0]) {
        // However new a copy beside the executable is, anyone who may write
        // there may have put it there: it never replaces the user's own.
        lstrcpynW(file->readPath, program, MAX_PATH);
        bool besideProgram = !user[0] || ProgramDirTakesSave(program);
        lstrcpynW(file->savePath, besideProgram ? program : user, MAX_PATH);
    }
    // Else a copy beside the executable may be there but cannot be named:
    // a new copy of the user's own would hide it for good. Nothing is read
    // or saved.
}

// Reads the rest of an open file: up to capacity bytes into buffer, all of
// it into *hash. False when a read fails.
static bool ReadAndHash(HANDLE handle, void* buffer, DWORD capacity, DWORD* size, uint32_t* hash)
{
    *size = 0;
    *hash = HashStart;
    char chunk[HashChunk];
    for (;;) {
        bool intoBuffer = *size < capacity;
        char* to = intoBuffer ? (char*)buffer + *size : chunk;
        DWORD want = intoBuffer ? capacity - *size : (DWORD)HashChunk, got = 0;
        if (!ReadFile(handle, to, want, &got, NULL))
            return false;
        if (got == 0)
            return true;
        *hash = HashBytes(to, got, *hash);
        if (intoBuffer)
            *size += got;
    }
}

bool ReadOurFile(OurFile* file, void* buffer, DWORD capacity, DWORD* size)
{
    *size = 0;
    file->loaded = true;
    file->existed = false;
    file->diskHash = HashStart;
    if (!file->readPath[0])
        return true;
    bool missing = false;
    HANDLE handle = OpenForReading(file->readPath, &missing);
    if (handle == INVALID_HANDLE_VALUE) {
        file->unreadable = !missing;
    } else {
        file->existed = true;
        // A read refused half way (a locked range) leaves nothing of it.
        file->unreadable = !ReadAndHash(handle, buffer, capacity, size, &file->diskHash);
        if (file->unreadable) {
            DWORD error = GetLastError();
            memset(buffer, 0, capacity);
            *size = 0;
            SetLastError(error);
        }
        CloseHandle(handle);
    }
    if (file->unreadable)
        NoteUnreadableFile(file->readPath);
    return !file->unreadable;
}

void KeepLoadedContents(OurFile* file, uint32_t contentsHash)
{
    file->contentsHash = contentsHash;
}

void ReadCurrentCopy(const OurFile* file, void* buffer, DWORD capacity, DWORD* size)
{
    *size = 0;
    const wchar_t* path = Exists(file->savePath) ? file->savePath : file->readPath;
    bool missing = false;
    HANDLE handle = path[0] ? OpenForReading(path, &missing) : INVALID_HANDLE_VALUE;
    uint32_t hash;
    if (handle != INVALID_HANDLE_VALUE && !ReadAndHash(handle, buffer, capacity, size, &hash))
        *size = 0;
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
}

// Whether the copy we last read or wrote is not as we left it. One that
// cannot be read now cannot be told unchanged.
static bool ChangedUnderUs(const OurFile* file)
{
    HANDLE handle = CreateFileW(file->readPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return !missing || file->existed;
    }
    char scratch[HashChunk];
    DWORD size;
    uint32_t hash;
    bool read = ReadAndHash(handle, scratch, 0, &size, &hash);
    CloseHandle(handle);
    return !read || !file->existed || hash != file->diskHash;
}

// Windows denies writing a read-only file, the user's wish to keep it (Wine
// running as root would overwrite it anyway); a folder in its place is kept.
static bool MayReplace(const wchar_t* path)
{
    DWORD attrs = GetFileAttributesW(path);
    return attrs == INVALID_FILE_ATTRIBUTES ||
           !(attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

// Writes the whole of bytes to a new file; true only when every byte got
// there and the file was closed cleanly.
static bool WriteNewFile(const wchar_t* path, const void* bytes, DWORD size)
{
    HANDLE handle = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    BOOL wrote = WriteFile(handle, bytes, size, &put, NULL);
    BOOL flushed = FlushFileBuffers(handle);
    BOOL closed = CloseHandle(handle);
    return wrote && put == size && flushed && closed;
}

// The new file goes beside the old one first, so that a failing disk or a
// full volume never leaves the user without any. A sync client or a virus
// scanner may hold either file for a moment. On FAT the replace is a delete
// and a rename: PlaceOurFile mends a crash in between.
static bool WriteWhole(const wchar_t* path, const void* bytes, DWORD size, DWORD waitMs)
{
    wchar_t temp[MAX_PATH];
    if (!path[0] || !JoinPath(temp, MAX_PATH, path, TempSuffix) || !MayReplace(path))
        return false;
    if (UserDir[0] && wcsncmp(path, UserDir, wcslen(UserDir)) == 0)
        CreateDirectoryW(UserDir, NULL);    // made at the first save: a reading copy leaves no trace
    if (!WriteNewFile(temp, bytes, size)) {
        DeleteFileW(temp);
        return false;
    }
    DWORD start = GetTickCount();
    bool againWhenFree = true;
    while (!MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        if (!AgainWhileHeld(path, temp, DELETE, start, waitMs, &againWhenFree)) {
            DeleteFileW(temp);
            return false;
        }
    return true;
}

// Whether a save to path failed for lack of rights: a new file cannot be
// made beside it, or it cannot be replaced.
static bool LacksRightsToSave(const wchar_t* path)
{
    wchar_t dir[MAX_PATH];
    lstrcpynW(dir, path, MAX_PATH);
    CutAfterLastBackslash(dir);
    if (!CanMakeFileIn(dir) && GetLastError() == ERROR_ACCESS_DENIED)
        return true;
    return LacksRightsToReplace(path);
}

SaveResult SaveOurFile(OurFile* file, const void* bytes, DWORD size, uint32_t contentsHash,
                       DWORD waitMs)
{
    if (!file->loaded || file->unreadable)
        return FileKept;
    if (contentsHash == file->contentsHash && file->readPath[0] && ChangedUnderUs(file))
        return FileKept;
    bool saved = WriteWhole(file->savePath, bytes, size, waitMs);
    wchar_t user[MAX_PATH];
    FormFilePath(user, MAX_PATH, UserDir, file->name);
    if (!saved && file->savePath[0] && user[0] && wcscmp(user, file->savePath) != 0 &&
        LacksRightsToSave(file->savePath)) {
        lstrcpynW(file->savePath, user, MAX_PATH);
        saved = WriteWhole(file->savePath, bytes, size, waitMs);
    }
    if (!saved)
        return SaveFailed;
    lstrcpynW(file->readPath, file->savePath, MAX_PATH);
    file->existed = true;
    file->diskHash = HashBytes(bytes, size);
    file->contentsHash = contentsHash;
    return FileSaved;
}
