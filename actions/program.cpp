// "Execute Program": starts the bound program with its parameters.
#include "actions/program.h"

#include "platform/program_start.h"

void RunProgram(const char* path, const char* params)
{
    // The space is added even without parameters: stored bindings were
    // written for exactly this command line.
    StartProgram(path, params);
}
