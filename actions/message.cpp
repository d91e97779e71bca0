// "Send Message": posts a bound message without waiting for the receiver.
#include "actions/message.h"

#include <windows.h>

void PostToWindow(const char* windowClass, const char* name, uint32_t number,
                  uint32_t wParam, uint32_t lParam)
{
    // An empty class text is passed as it is, not as "any class".
    HWND window = FindWindowA(windowClass, name);
    if (IsWindow(window))
        PostMessageA(window, number, (WPARAM)wParam, (LPARAM)(int32_t)lParam);
}
