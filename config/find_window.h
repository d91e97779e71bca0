// The find-window tool: picks a target window's class and title by a click.
#pragma once
#include <windows.h>

// Handler of "Find Window": explains the tool, then waits for the click. Returns 1.
int StartFindWindow();

// Offered every message of the main loop first; 1 when it consumed it.
int FindWindowFilter(const MSG* msg);
