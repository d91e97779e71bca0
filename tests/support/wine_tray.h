// Wine's own notification area (shown when no other one is running): each
// icon is a child window of the "Wine System Tray" window.
#pragma once
#include <windows.h>

// The icon windows, in order; returns how many there are (at most max).
int WineTrayIconWindows(HWND* out, int max);

// Colour of one pixel of the screen as the X server shows it.
COLORREF ScreenPixel(int x, int y);
