// Starting another program without waiting for it: a program that takes
// seconds before it reads its first message must not hold the thread that
// handles every key press (WinExec waits up to 30 s for exactly that).
#pragma once

enum { CommandLineSize = 512 };

// Starts a command line the way WinExec did: parsed by CreateProcessA (the
// program path may hold unquoted spaces), in our working folder, shown with
// SW_SHOW. Returns at once; true when the program was started.
bool StartCommandLine(const char* commandLine);
