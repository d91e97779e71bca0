// The on-screen remote (remote.exe) against a stand-in receiver: keys
// clicked, held and typed arrive as the card maker's reminder sends them.
#include <gtest/gtest.h>

#include "tests/support/process.h"
#include "tests/support/quellon_run.h"
#include "tests/support/standin.h"

TEST(RemoteTool, ClickedHeldAndTypedKeysReachTheReceivingWindow)
{
    StandIn* receiver = CreateStandIn("Zorv@Video(^0^)", "Trick Wnd");
    PROCESS_INFORMATION pi;
    std::string dir = MakeTempDir("remote");
    ASSERT_TRUE(StartProgram("\"" + ProductDir() + "remote.exe\"", dir, &pi));
    HWND remote = NULL;
    for (int i = 0; i < 500 && !remote; ++i, Sleep(10))
        remote = FindWindowOfProcess(pi.dwProcessId, "WinFast Schedule Reminder",
                                     "WinFast Schedule Reminder");
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

    KillProgram(&pi);
    DestroyStandIn(receiver);
    RemoveTree(dir);
}
