// A debugger loop of our own around a program under test: it sees every
// first-chance fault, also one that a window procedure swallows (Wine and
// 64-bit Windows both hide an access violation inside a sent message).
#pragma once
#include <windows.h>
#include <string>

struct FaultWatch;

// Starts commandLine in dir under a debugger loop that runs on a thread of
// its own (the loop must run on the thread that created the process).
// Returns NULL when the program could not be started; pi receives the
// process and thread handles, which the caller closes as usual (WaitProgram,
// KillProgram).
FaultWatch* StartUnderDebugger(const std::string& commandLine, const std::string& dir,
                               PROCESS_INFORMATION* pi);

// Waits up to ms for the program to end and the loop to finish (kills the
// program on time-out), frees the watch and returns the number of fatal
// first-chance exceptions seen; report lists them (code and address).
int StopDebugger(FaultWatch* w, DWORD ms, std::string* report = NULL);

// Exception codes that mean a fault in the program rather than a signal.
bool IsFatalException(DWORD code);
