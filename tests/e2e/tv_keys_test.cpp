// quellon.exe typing keys: "Virtual Key" bindings and ChrisTV's shortcuts,
// and iuVCR's posted commands, seen by stand-in windows and a keyboard hook.
#include <gtest/gtest.h>
#include <string.h>

#include "tests/support/bound_keys.h"
#include "tests/support/key_hook.h"
#include "tests/support/standin.h"
#include "tests/support/test_window.h"

namespace {

void BindVirtualKey(int key, const char* windowClass, const char* name, int index, int flags)
{
    ActionRecord& r = Binding(key, 0);
    r.type = 60;
    strcpy(r.windowClass, windowClass);
    strcpy(r.windowName, name);
    r.number = index;
    r.wParam = flags;
}

// A target that takes its time over each key it reads, as a busy program
// does: keys still waiting in its queue when the foreground is handed back
// would be lost.
volatile LONG SlowKeysDown, SlowKeysUp;

LRESULT CALLBACK SlowTargetProc(HWND window, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN) {
        InterlockedIncrement(&SlowKeysDown);
        Sleep(100);
    } else if (m == WM_KEYUP || m == WM_SYSKEYUP) {
        InterlockedIncrement(&SlowKeysUp);
    }
    return DefWindowProcA(window, m, w, l);
}

void MakeSlowTarget()
{
    MakeTestWindow("QuellonSlowTarget", "Target", SlowTargetProc, WS_VISIBLE, 20, 20, 50, 50);
}

bool AllKeysUp(void* count)
{
    return SlowKeysUp >= *(LONG*)count;
}

}  // namespace

TEST(VirtualKey, KeysLandInTheTargetAndTheForegroundComesBack)
{
    ClearBindings();
    BindVirtualKey(1, "QuellonSlowTarget", "", 26, 0x22);    // Ctrl+C, restore
    BindVirtualKey(2, "", "Target", 22, 0x10);              // a name alone: no lookup, no window
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run));
    StandIn* before = ShownStandIn("QuellonKeyBefore", "Before");
    TestWindowThread slow = StartTestWindowThread(MakeSlowTarget);
    HWND b = StandInWindow(before);
    ASSERT_TRUE(SettleInFront(b));

    for (LONG round = 1; round <= 3; ++round) {
        StartKeyHook();
        PressKey(run, 1);
        ASSERT_TRUE(WaitForHookedKeys(4, 3000));
        EXPECT_EQ("+11 +43 -43 -11", HookedKeyText());
        EXPECT_TRUE(WaitInFront(b));
        LONG ups = 2 * round;
        EXPECT_TRUE(WaitUntil(AllKeysUp, &ups, 3000)) << "round " << round;
        PumpMessagesFor(100);
        EXPECT_EQ(2 * round, SlowKeysDown);
        EXPECT_EQ(2 * round, SlowKeysUp);
        EXPECT_EQ(0, CountStandInMessages(before, WM_KEYDOWN) + CountStandInMessages(before, WM_KEYUP));
    }

    StartKeyHook();
    PressKey(run, 2);
    PumpMessagesFor(300);
    EXPECT_EQ("", HookedKeyText());
    StopKeyHook();
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    StopTestWindowThread(&slow);
    DestroyStandIn(before);
}

namespace {

// A player's main window, its playlist (a sibling of one thread), a tool
// window it owns without WS_POPUP, a window that hands the activation back
// at once (its thread refuses it), a hidden window of the main window's
// class above it, and a window titled outside the code page; each counts
// the keys it reads, and the hidden one its activations.
enum { PlayerWindowCount = 6 };
HWND PlayerWindows[PlayerWindowCount];
volatile LONG PlayerKeys[PlayerWindowCount], HiddenActivations;
const wchar_t FilmTitle[] = L"\x0424\x0438\x043B\x044C\x043C - Player";

LRESULT CALLBACK PlayerProc(HWND window, UINT m, WPARAM w, LPARAM l)
{
    for (int i = 0; i < PlayerWindowCount; ++i)
        if (m == WM_KEYDOWN && window == PlayerWindows[i])
            InterlockedIncrement(&PlayerKeys[i]);
    if (m == WM_ACTIVATE && LOWORD(w) != WA_INACTIVE && window == PlayerWindows[4])
        InterlockedIncrement(&HiddenActivations);
    return DefWindowProcA(window, m, w, l);
}

LRESULT CALLBACK RefuseActivation(int code, WPARAM w, LPARAM l)
{
    return code == HCBT_ACTIVATE && (HWND)w == PlayerWindows[3] ? 1 : CallNextHookEx(NULL, code, w, l);
}

void MakePlayer()
{
    PlayerWindows[0] = MakeTestWindow("QuellonPlayerMain", "Player", PlayerProc, WS_VISIBLE, 20, 20, 50, 50);
    PlayerWindows[1] = MakeTestWindow("QuellonPlayerList", "Playlist", PlayerProc, WS_VISIBLE, 90, 20, 50, 50);
    PlayerWindows[2] = CreateWindowExA(0, "QuellonPlayerList", "Tools", WS_OVERLAPPED | WS_VISIBLE, 160, 20,
                                       50, 50, PlayerWindows[0], NULL, GetModuleHandleA(NULL), NULL);
    PlayerWindows[3] = MakeTestWindow("QuellonRefused", "Refused", PlayerProc, WS_VISIBLE, 230, 20, 50, 50);
    PlayerWindows[4] = MakeTestWindow("QuellonPlayerMain", "Helper", PlayerProc, 0, 20, 90, 50, 50);
    PlayerWindows[5] = CreateWindowExW(0, L"QuellonPlayerList", FilmTitle, WS_POPUP | WS_VISIBLE, 90, 90, 50,
                                       50, NULL, NULL, GetModuleHandleA(NULL), NULL);
    SetWindowsHookExA(WH_CBT, RefuseActivation, NULL, GetCurrentThreadId());
}

}  // namespace

// K aimed at the player's main window (key 1, and key 4 "And active"), at
// the window that hands the activation back (key 2), or at the film's
// window by the title the find-window tool reads (key 3). The playlist in
// front is not the target: the main window, not the hidden one above it,
// comes to the front and gets the key. The owned tool window in front is
// the target's own: it keeps the front and gets the key. The target that
// does not stay in front gets nothing, and nor does the playlist.
TEST(VirtualKey, KeysGoToTheTargetOrItsOwnWindowsOnly)
{
    ClearBindings();
    BindVirtualKey(1, "QuellonPlayerMain", "", 22, 0);
    BindVirtualKey(2, "QuellonRefused", "", 22, 0);
    char film[WindowNameWidth];
    WideCharToMultiByte(CP_ACP, 0, FilmTitle, -1, film, sizeof film, NULL, NULL);
    BindVirtualKey(3, "QuellonPlayerList", film, 22, 0);
    BindVirtualKey(4, "QuellonPlayerMain", "", 22, 0x40);
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run));
    TestWindowThread player = StartTestWindowThread(MakePlayer);
    struct Case { int from, key, front, typed; } cases[] = { { 1, 1, 0, 0 }, { 2, 1, 2, 2 }, { 1, 2, 1, -1 },
                                                         { 1, 3, 5, 5 }, { 2, 4, 2, 2 } };
    for (const Case& c : cases) {
        ASSERT_TRUE(SettleInFront(PlayerWindows[c.from]));
        for (volatile LONG& keys : PlayerKeys)
            InterlockedExchange(&keys, 0);
        PressKey(run, c.key);
        auto typed = [](void*) {
            LONG sum = 0;
            for (LONG keys : PlayerKeys)
                sum += keys;
            return sum > 0;
        };
        EXPECT_EQ(c.typed >= 0, WaitUntil(typed, NULL, c.typed >= 0 ? 3000 : 500)) << c.from << c.key;
        PumpMessagesFor(100);
        for (int i = 0; i < PlayerWindowCount; ++i)
            EXPECT_EQ(i == c.typed, PlayerKeys[i]) << "case " << c.from << c.key << " window " << i;
        EXPECT_EQ(PlayerWindows[c.front], GetForegroundWindow()) << "case " << c.from << c.key;
    }
    EXPECT_EQ(0, HiddenActivations);
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    StopTestWindowThread(&player);
}

namespace {

std::string PostedCommands(StandIn* s)
{
    std::string text;
    RecordedMessage m;
    for (int i = 0; GetStandInMessage(s, WM_COMMAND, i, &m); ++i)
        text += (text.empty() ? "" : " ") + std::to_string((unsigned)m.wParam) +
                (m.lParam ? "!" : "");
    return text;
}

// Types 37 to 59 in order; none for Vol Up, Vol Down and Recall.
const char IuVcrCommands[] = "50000 50002 50003 50004 50005 50006 50007 50010 50011 50012 "
                             "50020 50021 50022 50023 50024 50025 50026 50027 50028 50029";

bool AllPosted(void* s)
{
    return PostedCommands((StandIn*)s).size() >= sizeof IuVcrCommands - 1;
}

}  // namespace

TEST(TvApps, IuVcrIsPreferredAndChrisTvGetsItsShortcuts)
{
    ClearBindings();
    for (int i = 0; i < 23; ++i)    // types 37 to 59 on keys 1 to 6
        Binding(1 + i / 4, i % 4).type = 37 + i;
    Binding(7, 0).type = 37;    // "iuVCR Close"
    Binding(8, 0).type = 54;    // "iuVCR Key7"
    Binding(9, 0).type = 40;    // "iuVCR Preview"
    Binding(9, 1).type = 46;    // "iuVCR Pause"
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run));
    StandIn* before = ShownStandIn("QuellonKeyBefore", "Before");
    StandIn* chrisTv = ShownStandIn("TChrisTV_Main_Form", "ChrisTV");
    StandIn* iuVcr = ShownStandIn("TfVCR", "iuVCR");
    HWND b = StandInWindow(before), c = StandInWindow(chrisTv);
    ASSERT_TRUE(SettleInFront(b));

    StartKeyHook();
    PressKey(run, 1);    // types 37 to 40 activate nothing
    PumpMessagesFor(100);
    EXPECT_EQ(b, GetForegroundWindow());
    for (int key = 2; key <= 6; ++key)
        PressKey(run, key);
    EXPECT_TRUE(WaitUntil(AllPosted, iuVcr, 3000));
    PumpMessagesFor(100);
    EXPECT_EQ(IuVcrCommands, PostedCommands(iuVcr));
    EXPECT_TRUE(WaitInFront(StandInWindow(iuVcr)));    // "iuVCR Fullscreen" only
    EXPECT_EQ("", HookedKeyText());
    EXPECT_EQ(0, CountStandInMessages(chrisTv, WM_COMMAND) + CountStandInMessages(chrisTv, WM_KEYDOWN) +
                     CountStandInMessages(chrisTv, WM_SYSKEYDOWN));
    DestroyStandIn(iuVcr);

    // ChrisTV alone: brought to the front, then the shortcut's events in order.
    // Alt+F4 starts with ChrisTV in front: Wine drops an injected Alt when the
    // X server's focus change for a fresh activation arrives after it.
    struct Case { int key; HWND from; const char* events; } cases[] = {
        { 8, b, "+37 -37" }, { 9, b, "" }, { 7, c, "+12 +73 -73 -12" },
    };
    for (const Case& k : cases) {
        ASSERT_TRUE(SettleInFront(k.from));
        StartKeyHook();
        PressKey(run, k.key);
        WaitForHookedKeys((strlen(k.events) + 1) / 4, 3000);
        PumpMessagesFor(100);
        EXPECT_EQ(k.events, HookedKeyText()) << "key " << k.key;
        for (const HookedKey& h : HookedKeys())
            EXPECT_EQ(c, h.foreground) << "key " << k.key;
        EXPECT_EQ(*k.events ? c : b, GetForegroundWindow()) << "key " << k.key;
        EXPECT_EQ(k.from == c, CountStandInMessages(chrisTv, WM_CLOSE) == 1) << "key " << k.key;
    }
    StopKeyHook();
    RecordedMessage m;
    ASSERT_TRUE(GetStandInMessage(chrisTv, WM_KEYDOWN, 0, &m));
    EXPECT_EQ((WPARAM)'7', m.wParam);
    EXPECT_EQ(1, CountStandInMessages(chrisTv, WM_KEYDOWN));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(chrisTv);
    DestroyStandIn(before);
}
