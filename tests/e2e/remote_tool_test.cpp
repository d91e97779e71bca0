// The on-screen remote (remote.exe) against a stand-in receiver and
// quellon.exe: keys clicked, held and typed arrive as the card maker's
// reminder sends them, and a click leaves the focus where it was.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/support/bound_keys.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/key_hook.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"
#include "tests/support/standin.h"

static HWND WaitForRemote(DWORD pid)
{
    HWND remote = NULL;
    for (int i = 0; i < 500 && !remote; ++i, Sleep(10))
        remote = FindWindowOfProcess(pid, "WinFast Schedule Reminder", "WinFast Schedule Reminder");
    return remote;
}

TEST(RemoteTool, ClickedHeldAndTypedKeysReachTheReceivingWindow)
{
    StandIn* receiver = CreateStandIn("Zorv@Video(^0^)", "Trick Wnd");
    PROCESS_INFORMATION pi;
    std::string dir = MakeTempDir("remote");
    ASSERT_TRUE(StartProgram("\"" + ProductDir() + "remote.exe\"", dir, &pi));
    HWND remote = WaitForRemote(pi.dwProcessId);
    ASSERT_TRUE(remote != NULL);
    const UINT key = 0x0A00;

    // A typed 5 is CH5 (code 10); the keyboard's own repeat adds nothing.
    PostMessageA(remote, WM_KEYDOWN, '5', 1);
    PostMessageA(remote, WM_KEYDOWN, '5', 1 | (1 << 30));
    ASSERT_TRUE(WaitForStandInMessages(receiver, key, 1, 5000));
    PostMessageA(remote, WM_KEYUP, '5', 0xC0000001);
    PumpMessagesFor(300);
    ASSERT_EQ(1, CountStandInMessages(receiver, key));
    RecordedMessage m;
    ASSERT_TRUE(GetStandInMessage(receiver, key, 0, &m));
    EXPECT_EQ(10u, (unsigned)m.wParam);

    // POWER, top left, held for about half a second: repeated every 110 ms.
    DWORD down = GetTickCount();
    PostMessageA(remote, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    Sleep(500);
    PostMessageA(remote, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    int expected = 1 + (int)(GetTickCount() - down) / 110;
    PumpMessagesFor(300);
    int held = CountStandInMessages(receiver, key) - 1;
    EXPECT_GE(held, expected - 2);
    EXPECT_LE(held, expected + 1);
    ASSERT_TRUE(GetStandInMessage(receiver, key, held, &m));
    EXPECT_EQ(0u, (unsigned)m.wParam);
    // Released: no more presses.
    PumpMessagesFor(300);
    EXPECT_EQ(held + 1, CountStandInMessages(receiver, key));

    // A click while a typed key is held takes over from it: its release ends
    // the repeat although the typed key is still down.
    PostMessageA(remote, WM_KEYDOWN, '5', 1);
    PostMessageA(remote, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    PostMessageA(remote, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    PumpMessagesFor(300);
    int settled = CountStandInMessages(receiver, key);
    PumpMessagesFor(300);
    EXPECT_EQ(settled, CountStandInMessages(receiver, key));

    KillProgram(&pi);
    DestroyStandIn(receiver);
    RemoveTree(dir);
}

TEST(RemoteTool, ClickLeavesTheFocusWhereItWasAndTheBoundKeyTypesThere)
{
    ClearBindings();
    ActionRecord& type5 = Binding(9, 0);    // CH5 types "5" (row 35) into the focused window
    type5.type = 60;
    type5.number = 35;
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run));
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(StartProgram("\"" + ProductDir() + "remote.exe\"", run.dir, &pi));
    HWND remote = WaitForRemote(pi.dwProcessId);
    ASSERT_TRUE(remote != NULL);
    StandIn* focus = ShownStandIn("QuellonRemoteFocus", "Focus");
    ASSERT_TRUE(SettleInFront(StandInWindow(focus)));

    POINT ch5 = { 116, 93 };    // the middle of CH5, second key of the third row
    ClientToScreen(remote, &ch5);
    PointAt(ch5.x, ch5.y);
    ClickMouse();
    ASSERT_TRUE(WaitForStandInMessages(focus, WM_KEYDOWN, 1, 5000));
    RecordedMessage m;
    ASSERT_TRUE(GetStandInMessage(focus, WM_KEYDOWN, 0, &m));
    EXPECT_EQ((WPARAM)'5', m.wParam);
    EXPECT_EQ("CH5", ConfigControlText(run, IDC_PRESSED_KEY));
    EXPECT_EQ(StandInWindow(focus), GetForegroundWindow());

    KillProgram(&pi);
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(focus);
}
