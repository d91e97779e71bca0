// SendKeyCombo and BringWindowToFront in-process: the injected events as a
// low-level keyboard hook sees them, and which window is in front.
#include <gtest/gtest.h>

#include "actions/keys.h"
#include "core/app_state.h"
#include "tests/support/key_hook.h"
#include "tests/support/standin.h"

namespace {

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

TEST(SendKeyCombo, OnlyIfActiveLeavesAWindowThatIsNotInFrontAlone)
{
    UseSwitchToThisWindow(true);
    StandIn* before = ShownStandIn("QuellonKeysTarget", "Before");
    StandIn* target = ShownStandIn("QuellonKeysTarget", "Target");
    HWND b = StandInWindow(before), t = StandInWindow(target);
    ASSERT_TRUE(SettleInFront(b));
    EXPECT_EQ("", Combo(t, 'K', OnlyIfActive, 0));
    EXPECT_EQ(b, GetForegroundWindow());
    EXPECT_EQ(0, CountStandInMessages(target, WM_ACTIVATE));
    // Already in front: nothing to activate, the window itself comes back.
    EXPECT_EQ(b, BringWindowToFront(b));
    // Both ways of activation return the window that had the foreground.
    EXPECT_EQ(b, BringWindowToFront(t));
    EXPECT_TRUE(WaitInFront(t));
    UseSwitchToThisWindow(false);
    ASSERT_TRUE(SettleInFront(b));
    EXPECT_EQ(b, BringWindowToFront(t));
    StopKeyHook();
    DestroyStandIn(target);
    DestroyStandIn(before);
}
