// The find-window tool: picks a target window's class and title by a click.
#pragma once
#include <windows.h>

// Offered every message of the main loop first; 1 when it consumed it.
int FindWindowFilter(const MSG* msg);
