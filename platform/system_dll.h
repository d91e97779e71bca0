// DLLs from Windows' own folder only, and the calls that not every Windows
// we start on has, looked up when they are needed.
#pragma once
#include <windows.h>

// The first step of start-up: every DLL loaded later, a system DLL's own
// imports too, is searched for in System32 alone, never beside the exe.
// Missing on XP, and on Vista and 7 without the update that added it.
void KeepDllSearchInSystemFolder();

// LoadLibraryA on the DLL's full path in the system folder, or NULL.
HMODULE LoadSystemDll(const char* name);

// The function name of the system DLL dll (loaded from the system folder
// when it is not yet), or NULL where this Windows lacks either.
FARPROC FindSystemFunction(const char* dll, const char* name);

// Loads the system DLL name into *dll at the first call; then fills each
// empty one of count function pointers that follow one another from entries
// with the function of the DLL named in names (each name ended by its NUL).
// False when the DLL or one of the functions cannot be had.
bool FindSystemDllFunctions(HMODULE* dll, const char* name, const char* names, void* entries,
                            int count);

// A 32-bit program on 64-bit Windows sees SysWOW64 where it asks for
// System32; these two turn that redirection off for the calling thread,
// when path (a full path, its quotes left off) lies in the system folder,
// and on again. Elsewhere (32-bit Windows, XP before SP2, the 64-bit build)
// nothing changes. Keep it off for one call only: DLLs that Windows loads
// while it is off come from the wrong folder.
struct FileSystemRedirection {
    BOOL off;
    void* previous;
};
void StopFileSystemRedirection(const char* path, FileSystemRedirection* state);
void RestoreFileSystemRedirection(const FileSystemRedirection* state);
