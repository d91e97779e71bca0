// quellon.exe typing keys: "Virtual Key" bindings and ChrisTV's shortcuts,
// and iuVCR's posted commands, seen by stand-in windows and a keyboard hook.
#include <gtest/gtest.h>
#include <string.h>

#include "tests/support/bound_keys.h"
#include "tests/support/key_hook.h"
#include "tests/support/standin.h"

namespace {

StandIn* ShownWindow(const char* windowClass, const char* title)
{
    StandIn* s = CreateStandIn(windowClass, title);
    SetStandInReply(s, WM_CLOSE, 0);    // Alt+F4 must not end the stand-in
    ShowWindow(StandInWindow(s), SW_SHOWNA);
    return s;
}

bool InFront(void* window)
{
    return GetForegroundWindow() == (HWND)window;
}

bool WaitInFront(HWND window)
{
    return WaitUntil(InFront, window, 3000);
}

void BindVirtualKey(int key, const char* windowClass, const char* name, int index, int flags)
{
    ActionRecord& r = Binding(key, 0);
    r.type = 60;
    strcpy(r.windowClass, windowClass);
    strcpy(r.windowName, name);
    r.number = index;
    r.wParam = flags;
}

}  // namespace

TEST(VirtualKey, KeysLandInTheTargetAndTheForegroundComesBack)
{
    ClearBindings();
    BindVirtualKey(1, "QuellonKeyTarget", "", 26, 0x22);    // Ctrl+C, restore
    BindVirtualKey(2, "", "Target", 22, 0x10);             // a name alone: no lookup, no window
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run));
    StandIn* before = ShownWindow("QuellonKeyBefore", "Before");
    StandIn* target = ShownWindow("QuellonKeyTarget", "Target");
    HWND b = StandInWindow(before);
    SetForegroundWindow(b);
    ASSERT_TRUE(WaitInFront(b));

    for (int round = 0; round < 5; ++round) {
        StartKeyHook();
        PressKey(run, 1);
        ASSERT_TRUE(WaitForHookedKeys(4, 3000));
        EXPECT_EQ("+11 +43 -43 -11", HookedKeyText());
        EXPECT_TRUE(WaitInFront(b));
        EXPECT_TRUE(WaitForStandInMessages(target, WM_KEYUP, 2 * (round + 1), 3000));
        PumpMessagesFor(100);
        EXPECT_EQ(2 * (round + 1), CountStandInMessages(target, WM_KEYDOWN));
        EXPECT_EQ(0, CountStandInMessages(before, WM_KEYDOWN) + CountStandInMessages(before, WM_KEYUP));
    }

    StartKeyHook();
    PressKey(run, 2);
    PumpMessagesFor(300);
    EXPECT_EQ("", HookedKeyText());
    StopKeyHook();
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(target);
    DestroyStandIn(before);
}
