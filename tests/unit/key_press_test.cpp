// Key presses delivered to a window of the impersonation class: what the
// dialog shows, the flash, the selection and the actions that run.
#include <gtest/gtest.h>
#include <string.h>

#include "core/active.h"
#include "core/app_state.h"
#include "core/profile.h"
#include "remote/key_press.h"
#include "remote/receiver.h"
#include "res/resource.h"
#include "shell/tray.h"
#include "tests/support/fake_dialog.h"
#include "tests/support/process.h"
#include "tests/support/standin.h"

namespace {

const UINT BoundMessage = WM_APP + 77;

// A window of the class the receiver registers, as the receiver makes it.
HWND CreateKeyWindow()
{
    RegisterImpersonationClass();
    return CreateWindowExA(0, "Zorv@Video(^0^)", "Trick Wnd", 0, 0, 0, 10, 10, NULL, NULL,
                           GetModuleHandleA(NULL), NULL);
}

struct KeyPressFixture {
    HWND dialog;
    HWND keyWindow;
    StandIn* target;
};

// Key 3 ("VOL+") is bound to post BoundMessage to the stand-in "Target".
KeyPressFixture SetUpKeyPress()
{
    KeyPressFixture f;
    memset(Profile, 0, sizeof Profile);
    ActiveFlag = 1;
    f.dialog = CreateFakeConfigDialog();
    f.keyWindow = CreateKeyWindow();
    f.target = CreateStandIn("QuellonTestTarget", "Target");
    ActionRecord& r = Profile[3].slot[1];
    r.type = 32;
    strcpy(r.windowClass, "QuellonTestTarget");
    r.number = BoundMessage;
    r.wParam = 1234;
    r.lParam = -5;
    return f;
}

void TearDownKeyPress(KeyPressFixture& f)
{
    DestroyStandIn(f.target);
    DestroyWindow(f.keyWindow);
    DestroyWindow(f.dialog);
}

std::string PressedKeyText(HWND dialog)
{
    return WindowText(GetDlgItem(dialog, IDC_PRESSED_KEY));
}

// The key press, the work the receiver then does a moment later (a hidden
// dialog and the flash are told after the actions), then the dialog's
// handling of the key posted to it. The same code again at once would hold
// the key: a code of no key ends the press.
void PressKey(HWND keyWindow, WPARAM code)
{
    static WPARAM last = 21;
    if (code == last)
        SendMessageA(keyWindow, RemoteKeyMessage, 21, 0);
    last = code;
    SendMessageA(keyWindow, RemoteKeyMessage, code, 0);
    for (DWORD due; (due = KeyWorkDueInMs()) < 100;) {
        Sleep(due);
        DoKeyWork();
    }
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

LRESULT KeysListSelection(HWND dialog)
{
    return SendDlgItemMessageA(dialog, IDC_KEYS_LIST, LB_GETCURSEL, 0, 0);
}

}  // namespace

TEST(KeyPress, BoundSendMessageReachesTheTargetWithItsParameters)
{
    KeyPressFixture f = SetUpKeyPress();
    PressKey(f.keyWindow, 4);
    ASSERT_TRUE(WaitForStandInMessages(f.target, BoundMessage, 1, 5000));
    RecordedMessage m;
    ASSERT_TRUE(GetStandInMessage(f.target, BoundMessage, 0, &m));
    EXPECT_EQ(1234u, (unsigned)m.wParam);
    EXPECT_EQ(-5, (int)m.lParam);
    EXPECT_EQ("VOL+", PressedKeyText(f.dialog));
    EXPECT_NE(0, FlashCountdown);
    // A 64-bit build widens as Windows does for a 32-bit sender: wParam
    // with zeros, lParam with its sign.
    Profile[3].slot[1].wParam = -2;
    PressKey(f.keyWindow, 4);
    ASSERT_TRUE(WaitForStandInMessages(f.target, BoundMessage, 2, 5000));
    ASSERT_TRUE(GetStandInMessage(f.target, BoundMessage, 1, &m));
    EXPECT_EQ((WPARAM)0xFFFFFFFEu, m.wParam);
    EXPECT_EQ((LPARAM)-5, m.lParam);
    TearDownKeyPress(f);
}

TEST(KeyPress, UnknownCodesShowAsUnsignedNumbersAndDoNothingElse)
{
    KeyPressFixture f = SetUpKeyPress();
    struct { WPARAM code; const char* shown; } cases[] = {
        { 21, "21" }, { 1, "1" }, { 86, "86" }, { (WPARAM)(DWORD)-1, "4294967295" },
    };
    ShowWindow(f.dialog, SW_SHOWNA);
    SendDlgItemMessageA(f.dialog, IDC_KEYS_LIST, LB_SETCURSEL, 7, 0);
    for (auto& c : cases) {
        PressKey(f.keyWindow, c.code);
        EXPECT_EQ(c.shown, PressedKeyText(f.dialog));
    }
    EXPECT_EQ(0, FlashCountdown);
    EXPECT_EQ(7, KeysListSelection(f.dialog));
    PumpMessagesFor(100);
    EXPECT_EQ(0, CountStandInMessages(f.target, BoundMessage));
    TearDownKeyPress(f);
}

TEST(KeyPress, HiddenDialogGetsTheNameButKeepsItsSelection)
{
    KeyPressFixture f = SetUpKeyPress();
    SendDlgItemMessageA(f.dialog, IDC_KEYS_LIST, LB_SETCURSEL, 7, 0);
    PressKey(f.keyWindow, 85);
    EXPECT_EQ("FORWD", PressedKeyText(f.dialog));
    EXPECT_EQ(7, KeysListSelection(f.dialog));
    TearDownKeyPress(f);
}

TEST(KeyPress, VisibleDialogJumpsToThePressedKey)
{
    KeyPressFixture f = SetUpKeyPress();
    ShowWindow(f.dialog, SW_SHOWNA);
    PressKey(f.keyWindow, 82);
    EXPECT_EQ("[...]", PressedKeyText(f.dialog));
    EXPECT_EQ(44, KeysListSelection(f.dialog));
    TearDownKeyPress(f);
}

TEST(KeyPress, InactiveKeysAreShownAndFlashedButRunNothing)
{
    KeyPressFixture f = SetUpKeyPress();
    ActiveFlag = 0;
    ShowWindow(f.dialog, SW_SHOWNA);
    PressKey(f.keyWindow, 4);
    EXPECT_EQ("VOL+", PressedKeyText(f.dialog));
    EXPECT_EQ(3, KeysListSelection(f.dialog));
    EXPECT_NE(0, FlashCountdown);
    PumpMessagesFor(150);
    EXPECT_EQ(0, CountStandInMessages(f.target, BoundMessage));
    ActiveFlag = 1;
    PressKey(f.keyWindow, 4);
    EXPECT_TRUE(WaitForStandInMessages(f.target, BoundMessage, 1, 5000));
    TearDownKeyPress(f);
}

TEST(KeyPress, OtherMessagesGoToTheDefaultProcedureAlone)
{
    KeyPressFixture f = SetUpKeyPress();
    SetWindowTextA(f.keyWindow, "Renamed");
    EXPECT_EQ("Renamed", WindowText(f.keyWindow));
    SendMessageA(f.keyWindow, RemoteKeyMessage + 1, 4, 0);
    EXPECT_EQ("", PressedKeyText(f.dialog));
    EXPECT_EQ(0, FlashCountdown);
    TearDownKeyPress(f);
}
