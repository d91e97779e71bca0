// The find-window tool: picks a target window's class and title by a click.
#pragma once
#include <windows.h>

// Handler of "Find Window": explains the tool, then waits for the click. Returns 1.
int StartFindWindow();

// Start-up step once the dialog exists: disarms the tool when the dialog
// loses the mouse capture.
void AddFindWindowRoutes();

// Offered every message of the main loop first; 1 when it consumed it.
int FindWindowFilter(const MSG* msg);
