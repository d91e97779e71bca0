// SendKeyCombo and BringWindowToFront in-process: the injected events as a
// low-level keyboard hook sees them, and which window is in front.
#include <gtest/gtest.h>

#include "actions/keys.h"
#include "shell/app_state.h"
#include "tests/support/key_hook.h"
#include "tests/support/standin.h"

namespace {

// A visible window on a thread of its own, recording what it receives.
StandIn* ShownWindow(const char* title)
{
    StandIn* s = CreateStandIn("QuellonKeysTarget", title);
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

void UseSwitchToThisWindow(bool use)
{
    SwitchToThisWindowProc =
        use ? (SwitchToThisWindowFn)(void*)GetProcAddress(GetModuleHandleA("user32.dll"),
                                                          "SwitchToThisWindow")
            : NULL;
}

// Sends the combination and returns the events the hook saw, once count are there.
std::string Combo(HWND target, uint8_t vk, uint8_t flags, size_t count)
{
    StartKeyHook();
    SendKeyCombo(target, vk, flags);
    WaitForHookedKeys(count, 3000);
    PumpMessagesFor(count ? 50 : 300);    // nothing more arrives
    return HookedKeyText();
}

}  // namespace

TEST(SendKeyCombo, EventsInTheTablesOrderWithoutScanCodeOrExtendedFlag)
{
    UseSwitchToThisWindow(true);
    struct Case { uint8_t vk; uint8_t flags; const char* events; } cases[] = {
        { 'C', KeyCtrl | KeyAlt | KeyShift | KeyWin, "+11 +12 +10 +5B +43 -43 -5B -10 -12 -11" },
        { 0, KeyWin, "+5B -5B" },
        { VK_UP, KeyShift, "+10 +26 -26 -10" },
        { VK_DELETE, KeyAlt | KeyCtrl | 0x80, "+11 +12 +2E -2E -12 -11" },
        { 0, 0, "" },
        { VK_HOME, OnlyIfActive, "+24 -24" },    // no target: OnlyIfActive has no effect
        { 'A', OnlyIfWindowFound | KeyCtrl, "" },
    };
    for (const Case& c : cases) {
        size_t count = (strlen(c.events) + 1) / 4;
        EXPECT_EQ(c.events, Combo(NULL, c.vk, c.flags, count)) << (int)c.vk << " " << (int)c.flags;
        for (const HookedKey& k : HookedKeys()) {
            EXPECT_EQ(0u, k.scanCode);
            EXPECT_EQ((DWORD)LLKHF_INJECTED, k.flags & (LLKHF_INJECTED | LLKHF_EXTENDED));
        }
    }
    StopKeyHook();
}

TEST(SendKeyCombo, TargetIsBroughtToTheFrontAndPreviousWindowRestored)
{
    for (bool useSwitch : { true, false }) {
        UseSwitchToThisWindow(useSwitch);
        StandIn* before = ShownWindow("Before");
        StandIn* target = ShownWindow("Target");
        HWND b = StandInWindow(before), t = StandInWindow(target);
        SetForegroundWindow(b);
        ASSERT_TRUE(WaitInFront(b));

        // Not in front and OnlyIfActive: nothing at all, no activation either.
        EXPECT_EQ("", Combo(t, 'K', OnlyIfActive, 0));
        EXPECT_EQ(b, GetForegroundWindow());

        EXPECT_EQ(b, BringWindowToFront(t));
        if (useSwitch) {
            EXPECT_TRUE(WaitInFront(t));
        }
        SetForegroundWindow(b);
        ASSERT_TRUE(WaitInFront(b));
        DestroyStandIn(target);
        DestroyStandIn(before);
    }
}

TEST(SendKeyCombo, RestoredWindowGetsNoneOfTheTargetsKeys)
{
    UseSwitchToThisWindow(true);
    StandIn* before = ShownWindow("Before");
    StandIn* target = ShownWindow("Target");
    HWND b = StandInWindow(before), t = StandInWindow(target);
    SetForegroundWindow(b);
    ASSERT_TRUE(WaitInFront(b));
    EXPECT_EQ("+11 +4B -4B -11", Combo(t, 'K', KeyCtrl | RestorePreviousWindow, 4));
    EXPECT_TRUE(WaitInFront(b));
    PumpMessagesFor(200);
    EXPECT_EQ(2, CountStandInMessages(target, WM_KEYDOWN));
    EXPECT_EQ(2, CountStandInMessages(target, WM_KEYUP));
    EXPECT_EQ(0, CountStandInMessages(before, WM_KEYDOWN) + CountStandInMessages(before, WM_KEYUP));
    StopKeyHook();
    DestroyStandIn(target);
    DestroyStandIn(before);
}
