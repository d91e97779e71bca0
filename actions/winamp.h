// Winamp commands: sent to the running Winamp's main window.
#pragma once
#include <stdint.h>

// command: a Winamp command id, 252/253 for the shuffle/repeat toggles, 16 to close.
void WinampCommand(int32_t command);
