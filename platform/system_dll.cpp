// DLL loading. kernel32 is in every process from its start, so its newer
// functions are found with GetModuleHandleA and no LoadLibrary at all.
#include "platform/system_dll.h"

#include <string.h>

// Not in the XP headers we build with.
static const DWORD SearchSystem32 = 0x00000800;    // LOAD_LIBRARY_SEARCH_SYSTEM32

static FARPROC KernelFunction(const char* name)
{
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    return kernel32 ? GetProcAddress(kernel32, name) : NULL;
}

void KeepDllSearchInSystemFolder()
{
    typedef BOOL (WINAPI* SetDefaultDllDirectoriesFn)(DWORD flags);
    SetDefaultDllDirectoriesFn restrict =
        (SetDefaultDllDirectoriesFn)(void*)KernelFunction("SetDefaultDllDirectories");
    if (restrict)
        restrict(SearchSystem32);
}

// The system folder without a trailing backslash; its length, 0 when unknown.
static size_t SystemFolder(char* out, size_t size)
{
    UINT n = GetSystemDirectoryA(out, (UINT)size);
    return n == 0 || n >= size ? 0 : n;
}

HMODULE LoadSystemDll(const char* name)
{
    char path[MAX_PATH];
    size_t n = SystemFolder(path, sizeof path);
    size_t length = strlen(name);
    if (n == 0 || n + 1 + length >= sizeof path)
        return NULL;
    path[n] = '\\';
    memcpy(path + n + 1, name, length + 1);
    return LoadLibraryA(path);
}

FARPROC FindSystemFunction(const char* dll, const char* name)
{
    HMODULE module = LoadSystemDll(dll);
    return module ? GetProcAddress(module, name) : NULL;
}

bool FindSystemDllFunctions(HMODULE* dll, const char* name, const char* names, void* entries,
                            int count)
{
    if (!*dll)
        *dll = LoadSystemDll(name);
    if (!*dll)
        return false;
    for (int i = 0; i < count; ++i, names += strlen(names) + 1) {
        // Function pointers of any type are copied as the bytes they are.
        char* entry = (char*)entries + i * sizeof(FARPROC);
        FARPROC function;
        memcpy(&function, entry, sizeof function);
        if (!function)
            function = GetProcAddress(*dll, names);
        if (!function)
            return false;
        memcpy(entry, &function, sizeof function);
    }
    return true;
}

static bool IsInSystemFolder(const char* path)
{
    char system[MAX_PATH];
    size_t n = SystemFolder(system, sizeof system);
    return n > 0 && _strnicmp(path, system, n) == 0 && path[n] == '\\';
}

void StopFileSystemRedirection(const char* path, FileSystemRedirection* state)
{
    typedef BOOL (WINAPI* DisableFn)(void** previous);
    state->previous = NULL;
    state->off = FALSE;
    if (!IsInSystemFolder(path))
        return;
    DisableFn disable = (DisableFn)(void*)KernelFunction("Wow64DisableWow64FsRedirection");
    state->off = disable && disable(&state->previous);
}

void RestoreFileSystemRedirection(const FileSystemRedirection* state)
{
    typedef BOOL (WINAPI* RevertFn)(void* previous);
    RevertFn revert = (RevertFn)(void*)KernelFunction("Wow64RevertWow64FsRedirection");
    if (state->off && revert)
        revert(state->previous);
}
