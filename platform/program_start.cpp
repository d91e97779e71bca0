// Program starts that return at once.
#include "platform/program_start.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "platform/system_dll.h"

static bool IsExistingFile(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// program NULL: CreateProcessA finds it in the command line.
static bool StartProcess(const char* program, char* commandLine)
{
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION started;
    if (!CreateProcessA(program, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &started))
        return false;
    // Nothing waits for the program or keeps it open.
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

// fileOnly: a path that names no file starts nothing.
static bool Start(const char* path, const char* params, bool fileOnly)
{
    const char* space = params ? " " : "";
    if (!params)
        params = "";
    bool quoted = path[0] == '"';
    // On 64-bit Windows a 32-bit Quellon would find, and start, SysWOW64's
    // copy (or nothing, for a 64-bit-only tool) of what the user bound in
    // System32: no redirection for the look and the start.
    FileSystemRedirection redirection;
    StopFileSystemRedirection(quoted ? path + 1 : path, &redirection);
    bool named = !quoted && IsExistingFile(path);
    // CreateProcessA may write into the command line; two more for the quotes.
    char line[CommandLineSize + 2];
    int n = _snprintf(line, sizeof line, named ? "\"%s\"%s%s" : "%s%s%s", path, space, params);
    bool started = (named || !fileOnly) && n >= 0 && (size_t)n < sizeof line &&
                   StartProcess(named ? path : NULL, line);
    RestoreFileSystemRedirection(&redirection);
    return started;
}

bool StartProgram(const char* path, const char* params)
{
    return Start(path, params, false);
}

bool StartProgramFile(const char* path)
{
    return Start(path, NULL, true);
}
