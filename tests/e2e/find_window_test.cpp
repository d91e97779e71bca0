// The find-window tool of the running quellon.exe, picked with real clicks
// over a stand-in application: its window, a button inside it, a window it
// owns, and the Configuration dialog itself.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/dialog_driver.h"
#include "tests/support/quellon_run.h"
#include "tests/support/standin.h"

namespace {

struct Picked {
    std::string windowClass;
    std::string windowName;
};

HWND CaptureOf(const QuellonRun& run)
{
    GUITHREADINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    GetGUIThreadInfo(run.mainThread, &info);
    return info.hwndCapture;
}

// "Find Window", the instruction box answered, then a click at x, y.
Picked PickAt(const QuellonRun& run, int x, int y, bool shift)
{
    HWND d = run.config;
    TypeText(d, 1016, "before");
    TypeText(d, 1017, "before");
    DialogWatch* box = WatchDialogs({ "Find target window class/name", IDOK, 0xFFFF, { 0 }, { NULL } });
    ClickControl(d, 1026);
    std::string text;
    EXPECT_EQ(1, StopWatchingDialogs(box, &text));
    EXPECT_EQ("Click OK to close this message and then click inside\n the target window area to get "
              "the window class.\n Hold shift while clicking to get the window name too.", text);
    for (int i = 0; i < 300 && CaptureOf(run) != d; ++i)
        Sleep(10);
    EXPECT_EQ(d, CaptureOf(run)) << "the dialog does not hold the mouse";
    // A move and a right click go their normal way: the tool stays armed.
    PointAt(x + 5, y + 5);
    ClickMouse(true);
    PumpMessagesFor(200);
    EXPECT_EQ("before", ControlText(d, 1016));
    PointAt(x, y);
    if (shift)
        HoldShift(true);
    ClickMouse();
    for (int i = 0; i < 300 && ControlText(d, 1016) == "before"; ++i)
        PumpMessagesFor(10);
    if (shift)
        HoldShift(false);
    PumpMessagesFor(100);
    EXPECT_TRUE(CaptureOf(run) == NULL);
    return { ControlText(d, 1016), ControlText(d, 1017) };
}

}  // namespace

TEST(FindWindowTool, TakesTheTopOfTheChainUnderTheClickAndTheTitleOnlyWithShift)
{
    StandIn* app = CreateStandIn("QuellonPickApp", "Pick Application");
    HWND appWindow = StandInWindow(app);
    SetWindowPos(appWindow, HWND_TOPMOST, 20, 250, 240, 160, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    HINSTANCE self = GetModuleHandleA(NULL);
    HWND button = CreateWindowExA(0, "BUTTON", "Inner", WS_CHILD | WS_VISIBLE, 20, 20, 100, 40,
                                  appWindow, NULL, self, NULL);
    HWND owned = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "Owned Box", WS_POPUP | WS_VISIBLE,
                                 780, 250, 200, 120, appWindow, NULL, self, NULL);
    ASSERT_TRUE(button && owned);

    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    ShowWindow(run.config, SW_SHOW);
    SetForegroundWindow(run.config);
    PumpMessagesFor(500);    // a capture taken while the activation settles would be lost

    Picked p = PickAt(run, 200, 380, true);
    EXPECT_EQ("QuellonPickApp", p.windowClass);
    EXPECT_EQ("Pick Application", p.windowName);
    p = PickAt(run, 60, 290, false);    // the button, without Shift
    EXPECT_EQ("QuellonPickApp", p.windowClass);
    EXPECT_EQ("", p.windowName);
    p = PickAt(run, 850, 300, true);    // the owned window
    EXPECT_EQ("QuellonPickApp", p.windowClass);
    EXPECT_EQ("Pick Application", p.windowName);
    RECT r;
    GetWindowRect(GetDlgItem(run.config, 1005), &r);    // "Pressed Key" of the dialog itself
    p = PickAt(run, r.left + 2, r.top + 2, true);
    EXPECT_EQ("#32770", p.windowClass);
    EXPECT_EQ("Configuration", p.windowName);

    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyWindow(owned);
    DestroyWindow(button);
    DestroyStandIn(app);
}
