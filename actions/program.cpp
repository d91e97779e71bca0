// "Execute Program": starts the bound command line.
#include "actions/program.h"

#include <stdio.h>

#include "platform/program_start.h"

void RunProgram(const char* path, const char* params)
{
    // The space is added even without parameters, and the path is not quoted:
    // stored bindings were written for exactly this command line.
    char commandLine[CommandLineSize];
    int n = _snprintf(commandLine, sizeof commandLine, "%s %s", path, params);
    if (n < 0 || (size_t)n >= sizeof commandLine)
        return;    // the callers' fields cannot make one this long
    StartCommandLine(commandLine);
}
