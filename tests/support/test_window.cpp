// Plain test windows on the calling thread.
#include "tests/support/test_window.h"

HWND MakeTestWindow(const char* windowClass, const char* title, WNDPROC proc, DWORD extraStyle,
                    int x, int y, int w, int h, HBRUSH background)
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = background;
    wc.lpszClassName = windowClass;
    RegisterClassA(&wc);
    return CreateWindowExA(0, windowClass, title, WS_POPUP | extraStyle, x, y, w, h, NULL, NULL,
                           wc.hInstance, NULL);
}

void RunTestWindowLoop()
{
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
}
