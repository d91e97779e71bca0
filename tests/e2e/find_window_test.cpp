// The find-window tool of the running quellon.exe, picked with real clicks
// over a stand-in application: its window, a button inside it, a window it
// owns, and the Configuration dialog itself; titles and class names longer
// than any field, picked and bound, under a debugger.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "core/profile.h"
#include "tests/support/bound_keys.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/process.h"
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

    // Armed, then the capture taken away (as Alt+Tab does): the next click
    // in the dialog is an ordinary one, not a pick.
    TypeText(run.config, 1016, "before");
    DialogWatch* box = WatchDialogs({ "Find target window class/name", IDOK, 0, { 0 }, { NULL } });
    ClickControl(run.config, 1026);
    EXPECT_EQ(1, StopWatchingDialogs(box));
    for (int i = 0; i < 300 && CaptureOf(run) != run.config; ++i)
        Sleep(10);
    SendMessageA(run.config, WM_CANCELMODE, 0, 0);
    EXPECT_TRUE(CaptureOf(run) == NULL);
    PointAt(r.left + 2, r.top + 2);
    ClickMouse();
    PumpMessagesFor(200);
    EXPECT_EQ("before", ControlText(run.config, 1016));

    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyWindow(owned);
    DestroyWindow(button);
    DestroyStandIn(app);
}

// A player that shows its file in the title: the pick fills the fields, cut
// to what they store, and the binding made of them reaches that window.
TEST(FindWindowTool, TitlesAndClassNamesLongerThanAnyFieldArePickedCutAndStillFindTheirWindow)
{
    std::string title(100, ' '), longClass(255, 'L');
    for (size_t i = 0; i < title.size(); ++i)
        title[i] = (char)('a' + i % 26);
    StandIn* picked = CreateStandIn(longClass.c_str(), "");
    StandIn* target = CreateStandIn(std::string(47, 'K').c_str(), "");
    SetWindowTextA(StandInWindow(picked), title.c_str());
    SetWindowTextA(StandInWindow(target), title.c_str());
    SetWindowPos(StandInWindow(picked), HWND_TOPMOST, 20, 250, 240, 160, SWP_SHOWWINDOW | SWP_NOACTIVATE);

    // Keys 1 and 2: "Send Message" and "Virtual Key" slots whose class and
    // name fill their fields with no terminator; key 3 gets the pick.
    enum { Found = WM_APP + 9, NotFound = WM_APP + 10, ToPicked = WM_APP + 11 };
    ClearBindings();
    for (int key = 1; key <= 2; ++key)
        for (int slot = 0; slot < 2; ++slot) {
            ActionRecord& r = Binding(key, slot);
            r.type = key == 1 ? 32 : 60;
            memset(r.windowClass, 'K', WindowClassWidth);
            if (slot == 1)
                memset(r.windowName, 'a', WindowNameWidth);
            r.number = key == 1 ? (slot ? NotFound : Found) : 91;    // 91: the "None" key row
            r.wParam = key == 1 ? 0 : 0x30;    // only if found, then back to the previous window
        }
    Binding(3, 0).type = 32;
    Binding(3, 0).number = ToPicked;
    QuellonRun run;
    run.dir = MakeTempDir("longtitles");
    WriteWholeFile(run.dir + "profile.cfg", std::string((const char*)&Binding(0, 0), ProfileSize));
    ASSERT_TRUE(StartQuellonUnderDebugger(&run, run.dir));
    ShowWindow(run.config, SW_SHOW);
    SetForegroundWindow(run.config);
    PumpMessagesFor(500);

    ChooseListRow(run.config, 1000, 3);
    ClickControl(run.config, 1004);
    Picked p = PickAt(run, 200, 380, true);
    EXPECT_EQ(longClass.substr(0, 47), p.windowClass);
    EXPECT_EQ(title.substr(0, 63), p.windowName);
    ClickControl(run.config, 1021);    // "Set"

    for (int key = 1; key <= 3; ++key)
        PressKey(run, key);
    EXPECT_TRUE(WaitForStandInMessages(picked, ToPicked, 1, 3000));
    EXPECT_TRUE(WaitForStandInMessages(target, Found, 1, 3000));
    PumpMessagesFor(200);
    EXPECT_EQ(1, CountStandInMessages(target, Found));
    EXPECT_EQ(0, CountStandInMessages(target, NotFound));

    EXPECT_EQ(0, QuitQuellon(&run));
    std::string report;
    EXPECT_EQ(0, QuellonFaults(&run, &report)) << report;
    std::string saved;
    ASSERT_TRUE(ReadWholeFile(run.dir + "profile.cfg", &saved));
    ASSERT_EQ((size_t)ProfileSize, saved.size());
    const ActionRecord& stored = ((const KeyActions*)saved.data())[3].slot[0];
    EXPECT_EQ(std::string(47, 'L'), std::string(stored.windowClass));
    EXPECT_EQ(title.substr(0, 63), std::string(stored.windowName));
    CleanUpQuellon(&run);
    DestroyStandIn(target);
    DestroyStandIn(picked);
}
