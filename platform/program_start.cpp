// Program starts that return at once.
#include "platform/program_start.h"

#include <windows.h>
#include <string.h>

bool StartCommandLine(const char* commandLine)
{
    // CreateProcessA may write into the command line it is given.
    char line[CommandLineSize];
    size_t length = strlen(commandLine);
    if (length >= sizeof line)
        return false;
    memcpy(line, commandLine, length + 1);
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION started;
    if (!CreateProcessA(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &started))
        return false;
    // Nothing waits for the program or keeps it open.
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}
