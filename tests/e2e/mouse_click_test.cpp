// A "Mouse Left Click" bound to a key: the real injection from quellon.exe
// lands on the window under the pointer.
#include <gtest/gtest.h>
#include <string.h>

#include "core/profile.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"
#include "tests/support/standin.h"

TEST(MouseClick, KeyPressClicksTheWindowUnderThePointer)
{
    static KeyActions keys[RemoteKeyCount];
    memset(keys, 0, sizeof keys);
    keys[3].slot[1].type = 26;    // VOL+ (code 4): "Mouse Left Click"
    StandIn* target = CreateStandIn("QuellonClickTarget", "Click Here");
    HWND w = StandInWindow(target);
    SetWindowPos(w, HWND_TOPMOST, 300, 300, 200, 200, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetCursorPos(420, 410);

    QuellonRun run;
    run.dir = MakeTempDir("click");
    ASSERT_TRUE(WriteWholeFile(run.dir + "profile.cfg", std::string((const char*)keys, sizeof keys)));
    ASSERT_TRUE(StartQuellon(&run, run.dir));
    HWND trick = WaitForTrick(run);
    ASSERT_TRUE(trick != NULL);
    SendMessageA(trick, 0x0A00, 4, 0);

    EXPECT_TRUE(WaitForStandInMessages(target, WM_LBUTTONUP, 1, 5000));
    RecordedMessage down, up;
    ASSERT_TRUE(GetStandInMessage(target, WM_LBUTTONDOWN, 0, &down));
    ASSERT_TRUE(GetStandInMessage(target, WM_LBUTTONUP, 0, &up));
    EXPECT_EQ(MAKELPARAM(120, 110), down.lParam);    // client coordinates of the pointer
    EXPECT_EQ(MAKELPARAM(120, 110), up.lParam);
    PumpMessagesFor(200);
    EXPECT_EQ(1, CountStandInMessages(target, WM_LBUTTONDOWN));
    EXPECT_EQ(0, CountStandInMessages(target, WM_RBUTTONDOWN));

    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(target);
}
