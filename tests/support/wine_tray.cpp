// Wine's notification area, read from the outside.
#include "tests/support/wine_tray.h"

int WineTrayIconWindows(HWND* out, int max)
{
    HWND tray = FindWindowA("__winex11_standalone_tray", NULL);
    int n = 0;
    for (HWND c = tray ? GetWindow(tray, GW_CHILD) : NULL; c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (n < max)
            out[n] = c;
        ++n;
    }
    return n;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(NULL);
    COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    return c;
}
