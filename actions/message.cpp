// "Send Message": posts a bound message without waiting for the receiver.
#include "actions/message.h"

#include <windows.h>

#include "core/window_lookup.h"

void PostToWindow(const char* windowClass, const char* name, uint32_t number,
                  uint32_t wParam, uint32_t lParam)
{
    // An empty class text is passed as it is, not as "any class". The window
    // found needs no second look (IsWindow is one more trip to the window
    // server on every press): a post to one that is gone just fails.
    HWND window = FindBoundWindow(windowClass, name);
    // Both 32-bit parameters are widened the same way, with their sign, as
    // Windows widens 32-bit handles and values for 64-bit programs: -1 stays
    // -1 in either, whichever build posts it.
    if (window)
        PostMessageA(window, number, (WPARAM)(INT_PTR)(int32_t)wParam,
                     (LPARAM)(INT_PTR)(int32_t)lParam);
}
