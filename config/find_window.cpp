// Find-window tool: after its instruction box, the Configuration dialog holds
// the mouse capture, and the main loop hands the next left-button press here
// before any window sees it. The top-level window under that click names the
// target of a "Send Message" or "Virtual Key" binding.
#include "config/find_window.h"

#include <stdint.h>

#include "core/app_state.h"
#include "core/profile.h"
#include "core/router.h"
#include "core/text.h"
#include "res/resource.h"

enum { FindTextSize = 512 };

// Set from the close of the instruction box until the pick; main thread only.
static int32_t FindWindowArmed;

static const char FindWindowCaption[] = "Find target window class/name";
static const char FindWindowText[] =
    "Click OK to close this message and then click inside\n"
    " the target window area to get the window class.\n"
    " Hold shift while clicking to get the window name too.";

int StartFindWindow()
{
    MessageBoxA(ConfigDialog, FindWindowText, FindWindowCaption, MB_ICONINFORMATION);
    FindWindowArmed = 1;
    // While the capture holds, a click anywhere comes to the dialog, its
    // position relative to the dialog's client area. No WM_SETCURSOR comes
    // while it holds: the cross stays until the pick.
    SetCapture(ConfigDialog);
    SetCursor(LoadCursor(NULL, IDC_CROSS));
    return 1;
}

static void Disarm()
{
    FindWindowArmed = 0;
    SetCursor(LoadCursor(NULL, IDC_ARROW));
}

// The capture went elsewhere (Alt+Tab, another window took it): the next
// click in the dialog is an ordinary click again.
static int CaptureLost()
{
    if (FindWindowArmed)
        Disarm();
    return 1;
}

void AddFindWindowRoutes()
{
    AddRoute(ConfigDialog, WM_CAPTURECHANGED, 0, 0, CaptureLost);
}

// The highest visible window of the chain of parents and owners: GetParent
// gives a child's parent and an owned pop-up's owner. Many programs own
// their pop-ups by a hidden window, which the user never sees and which
// cannot take keys. Owners are set by other programs and can form a loop:
// the walk gives up after a chain longer than any real one.
enum { MaxChainSteps = 32 };

static HWND TopOfChain(HWND window)
{
    HWND up = GetParent(window);
    for (int step = 0; up && IsWindowVisible(up) && step < MaxChainSteps; ++step, up = GetParent(window))
        window = up;
    return window;
}

static void TakePick(POINT at, bool withTitle)
{
    HWND window = WindowFromPoint(at);
    if (!window || !IsWindow(window))
        return;
    window = TopOfChain(window);
    char read[FindTextSize] = "";
    char title[WindowNameWidth] = "";
    GetWindowTextA(window, read, FindTextSize);
    // Only what "Set" can store: a cut title or class then matches the
    // window by its beginning. Cut between characters: half a double-byte
    // character would match no title.
    if (withTitle)
        CopyText(title, sizeof title, read);
    SetDlgItemTextA(ConfigDialog, IDC_WINDOW_NAME, title);
    char windowClass[WindowClassWidth] = "";
    read[0] = '\0';
    GetClassNameA(window, read, FindTextSize);
    CopyText(windowClass, sizeof windowClass, read);
    SetDlgItemTextA(ConfigDialog, IDC_WINDOW_CLASS, windowClass);
}

int FindWindowFilter(const MSG* msg)
{
    if (!FindWindowArmed || msg->message != WM_LBUTTONDOWN)
        return 0;
    // Signed: a click left of or above the client area is negative.
    POINT at = { (short)LOWORD(msg->lParam), (short)HIWORD(msg->lParam) };
    ClientToScreen(ConfigDialog, &at);
    // Shift as it was at the click, not as it is now.
    TakePick(at, (msg->wParam & MK_SHIFT) != 0);
    Disarm();
    ReleaseCapture();
    return 1;
}
