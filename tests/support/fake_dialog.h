// A window with the two Configuration-dialog controls that key presses write
// to (the "Pressed Key" text 1005 and the keys list 1000), for in-process tests.
#pragma once
#include <windows.h>

// Creates it hidden, sets ConfigDialog to it, fills the keys list and routes
// the key presses posted to it to the dialog's handler.
HWND CreateFakeConfigDialog();
