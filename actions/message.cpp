// "Send Message": posts a bound message without waiting for the receiver.
#include "actions/message.h"

#include <windows.h>

#include "core/profile.h"
#include "platform/window_lookup.h"

void PostToWindow(const char* windowClass, const char* name, uint32_t number,
                  uint32_t wParam, uint32_t lParam)
{
    // An empty class text is passed as it is, not as "any class". The window
    // found needs no second look (IsWindow is one more trip to the window
    // server on every press): a post to one that is gone just fails.
    HWND window = FindBoundWindow(windowClass, WindowClassWidth, name, WindowNameWidth);
    // Widened as Windows widens a 32-bit program's message for a 64-bit
    // window: wParam (unsigned) with zeros, lParam (signed) with its sign.
    // A 64-bit build then posts what the 32-bit release does.
    if (window)
        PostMessageA(window, number, (WPARAM)wParam, (LPARAM)(INT_PTR)(int32_t)lParam);
}
