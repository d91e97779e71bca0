// In-memory files and window look-ups for the native fuzzing build.
#include <windows.h>

#include "platform/file_access.h"
#include "platform/paths.h"

#include <map>
#include <string>

static std::map<std::wstring, std::string> Files;

struct ShimFile {
    std::wstring path;
    size_t at;
    bool writing;
};

HANDLE CreateFileW(const WCHAR* path, DWORD access, DWORD, void*, DWORD disposition, DWORD, HANDLE)
{
    if (disposition == OPEN_EXISTING && !Files.count(path))
        return INVALID_HANDLE_VALUE;
    if (disposition == CREATE_ALWAYS)
        Files[path].clear();
    return new ShimFile{ path, 0, (access & GENERIC_WRITE) != 0 };
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* got, void*)
{
    ShimFile* f = (ShimFile*)file;
    const std::string& bytes = Files[f->path];
    size_t n = f->at < bytes.size() ? bytes.size() - f->at : 0;
    if (n > size)
        n = size;
    bytes.copy((char*)buffer, n, f->at);
    f->at += n;
    *got = (DWORD)n;
    return TRUE;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD size, DWORD* put, void*)
{
    ShimFile* f = (ShimFile*)file;
    if (!f->writing)
        return FALSE;
    Files[f->path].append((const char*)buffer, size);
    *put = size;
    return TRUE;
}

DWORD GetTickCount() { return 0; }

BOOL FlushFileBuffers(HANDLE)
{
    return TRUE;
}

BOOL CloseHandle(HANDLE handle)
{
    delete (ShimFile*)handle;
    return TRUE;
}

DWORD GetFileAttributesW(const WCHAR* path)
{
    return Files.count(path) ? FILE_ATTRIBUTE_NORMAL : INVALID_FILE_ATTRIBUTES;
}

BOOL MoveFileExW(const WCHAR* from, const WCHAR* to, DWORD)
{
    if (!Files.count(from))
        return FALSE;
    Files[to] = Files[from];
    Files.erase(from);
    return TRUE;
}

BOOL DeleteFileW(const WCHAR* path)
{
    return Files.erase(path) > 0;
}

// Folders are not kept: every path names a file.
BOOL CreateDirectoryW(const WCHAR*, void*)
{
    return TRUE;
}

// Files here are never held by another program, and rights never lack.
HANDLE OpenForReading(const WCHAR* path, bool* missing)
{
    *missing = !Files.count(path);
    return *missing ? INVALID_HANDLE_VALUE : CreateFileW(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
}

void NoteUnreadableFile(const WCHAR*) {}
void FinishCutReplace(const WCHAR*, const WCHAR*, DWORD) {}
bool AgainWhileHeld(const WCHAR*, const WCHAR*, DWORD, DWORD, DWORD, bool*) { return false; }
bool SaveWithRightsFallback(bool (*saveIn)(WCHAR*, size_t, DWORD), WCHAR* path, size_t size, DWORD ms)
{
    return saveIn(path, size, ms);
}
// Nor is there a per-user folder.
void FormLoadFilePath(WCHAR* path, size_t size, const WCHAR* fileName)
{
    FormFilePath(path, size, ProgramDir, fileName);
}

int MessageBoxA(HWND, const char*, const char*, UINT)
{
    return 1;
}

DWORD GetModuleFileNameW(void*, WCHAR* path, DWORD size)
{
    return (DWORD)swprintf(path, size, L"C:\\Quellon\\quellon.exe");
}

HWND FindWindowA(const char*, const char*)
{
    return NULL;
}
