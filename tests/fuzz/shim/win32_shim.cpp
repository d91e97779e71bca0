// In-memory files and window look-ups for the native fuzzing build.
#include <windows.h>

#include "platform/our_files.h"
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

// Files here are never held by another program, rights never lack, and
// there is no per-user folder: every file is read and saved beside the exe.
uint32_t HashBytes(const void* bytes, size_t size, uint32_t hash)
{
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ ((const unsigned char*)bytes)[i]) * 16777619u;
    return hash;
}

void PlaceOurFile(OurFile* file, const WCHAR* name, DWORD wholeSize, const OurFile*)
{
    *file = OurFile{};
    file->wholeSize = wholeSize;
    FormFilePath(file->readPath, MAX_PATH, ProgramDir, name);
    wcscpy(file->savePath, file->readPath);
}

bool ReadOurFile(OurFile* file, void* buffer, DWORD capacity, DWORD* size)
{
    file->loaded = true;
    file->existed = Files.count(file->readPath) > 0;
    const std::string& bytes = Files[file->readPath];
    *size = (DWORD)bytes.copy((char*)buffer, capacity);
    return true;
}

void KeepLoadedContents(OurFile* file, uint32_t contentsHash)
{
    file->contentsHash = contentsHash;
}

SaveResult SaveOurFile(OurFile* file, const void* bytes, DWORD size, uint32_t, DWORD)
{
    if (!file->loaded)
        return FileKept;
    Files[file->savePath].assign((const char*)bytes, size);
    return FileSaved;
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
