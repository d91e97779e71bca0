// Keystroke synthesis: one key with any of Ctrl, Alt, Shift and Win, typed
// through SendInput, optionally into a window brought to the front first.
#include "actions/keys.h"

#include "core/app_state.h"
#include "platform/peer_send.h"

// One row per event, in the order they are sent: the modifier presses, the
// key itself, the modifier releases in reverse. A row without a flag is the
// key, sent when it is not 0.
struct ComboEvent {
    uint8_t flag;
    uint8_t code;
    bool release;
};

static const ComboEvent ComboEvents[] = {
    { KeyCtrl, VK_CONTROL, false },
    { KeyAlt, VK_MENU, false },
    { KeyShift, VK_SHIFT, false },
    { KeyWin, VK_LWIN, false },
    { 0, 0, false },
    { 0, 0, true },
    { KeyWin, VK_LWIN, true },
    { KeyShift, VK_SHIFT, true },
    { KeyAlt, VK_MENU, true },
    { KeyCtrl, VK_CONTROL, true },
};

// How long we wait at most for an activation to take effect, and for the
// target to take its keys before the foreground is handed back.
enum { ActivationTimeoutMs = 500, KeysTakenTimeoutMs = 500 };

static bool EventApplies(const ComboEvent& e, uint8_t vk, uint8_t flags)
{
    return e.flag ? (flags & e.flag) != 0 : vk != 0;
}

static uint8_t EventCode(const ComboEvent& e, uint8_t vk)
{
    return e.flag ? e.code : vk;
}

// No scan code, no extended flag, for any key.
static void SendKeyEvent(uint8_t code, bool release)
{
    INPUT in;
    ZeroMemory(&in, sizeof in);
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = code;
    in.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

// Polls cond(window) every 2 ms until it holds or ms pass.
static void WaitFor(bool (*cond)(HWND), HWND window, DWORD ms)
{
    DWORD start = GetTickCount();
    while (!cond(window) && GetTickCount() - start < ms)
        Sleep(2);
}

// True once the window has handled its WM_PAINT.
static bool Painted(HWND window)
{
    return !GetUpdateRect(window, NULL, FALSE);
}

// Injected keys wait in the target thread's queue until it reads them, and
// go to whatever window has its focus at that moment. Handing the foreground
// back at once takes the focus away before then: the keys are lost, or land
// in the window being restored. So the restore waits until the target has
// painted a pixel we invalidated: a thread reads WM_PAINT only once no input
// waits in its queue. The pixel goes to the window with the keyboard focus,
// the one that gets the keys; nothing is waited for when that window shows
// no update region (hidden, or covered by its children).
static HWND KeysWindow(HWND target)
{
    GUITHREADINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(target, NULL);
    if (thread && GetGUIThreadInfo(thread, &info) && info.hwndFocus)
        return info.hwndFocus;
    return target;
}

static void WaitForKeysTaken(HWND target)
{
    HWND window = KeysWindow(target);
    RECT pixel = { 0, 0, 1, 1 };
    RedrawWindow(window, &pixel, NULL, RDW_INVALIDATE);
    WaitFor(Painted, window, KeysTakenTimeoutMs);
}

// Another program's window becomes the foreground window only once its own
// thread has handled the activation. Keys injected before that find no focus
// in it and are lost, or go to the window that had the foreground. The
// target counts as in front too when a window it owns is there (its modal
// dialog, its tool window, say): the keys go there, as they would after the
// user's own click. The owner is walked with GW_OWNER: GetParent, and with
// it GA_ROOTOWNER, gives no owner for an owned window without WS_POPUP.
// Another top-level window of the same thread (a player's playlist beside
// its main window) does not count: the keys would land in it. Owners are
// set by other programs and can form a loop: the walk gives up after a
// chain longer than any real one.
enum { MaxOwnerSteps = 32 };

static bool InFront(HWND target)
{
    HWND w = GetForegroundWindow();
    for (int step = 0; w && step < MaxOwnerSteps; ++step, w = GetWindow(w, GW_OWNER))
        if (w == target)
            return true;
    return false;
}

// Wine moves another thread's window to the front by a message sent to that
// thread and waits for it without limit: a window that stopped answering
// would hold the receiver thread, and every later key press, for ever. One
// bounded WM_NULL finds such a window first.
static bool Answers(HWND window)
{
    return SendToPeer(window, WM_NULL, 0, 0, NULL);
}

void SendKeyCombo(HWND target, uint8_t vk, uint8_t flags)
{
    if (!target && (flags & OnlyIfWindowFound))
        return;
    // The window to hand the foreground back to; none when the target was
    // in front already.
    HWND previous = NULL;
    if (target) {
        // A target in front already, itself or through its own window, is
        // neither moved nor waited for.
        bool inFront = InFront(target);
        if (!inFront && (flags & OnlyIfActive))
            return;
        if (!inFront) {
            previous = BringWindowToFront(target);
            // Hidden, not answering, refused (Windows' foreground lock while
            // the user types) or handed on by the target: the keys would go
            // into the user's own window, Alt+F4 included.
            if (!InFront(target))
                return;
        }
    }
    bool restore = previous && (flags & RestorePreviousWindow);
    int sent = 0;
    for (const ComboEvent& e : ComboEvents)
        if (EventApplies(e, vk, flags)) {
            SendKeyEvent(EventCode(e, vk), e.release);
            ++sent;
        }
    if (restore) {
        if (sent)
            WaitForKeysTaken(target);
        BringWindowToFront(previous);
    }
}

HWND BringWindowToFront(HWND window)
{
    HWND foreground = GetForegroundWindow();
    if (InFront(window))
        return foreground;
    // A hidden window would take the foreground unseen, and with it the
    // user's own next keys; one that does not answer cannot come at all.
    if (!IsWindowVisible(window) || !Answers(window))
        return foreground;
    if (SwitchToThisWindowProc) {
        SwitchToThisWindowProc(window, FALSE);
    } else {
        DWORD owner = GetWindowThreadProcessId(foreground, NULL);
        DWORD me = GetCurrentThreadId();
        AttachThreadInput(owner, me, TRUE);
        SetForegroundWindow(window);
        SetActiveWindow(window);
        AttachThreadInput(owner, me, FALSE);
    }
    WaitFor(InFront, window, ActivationTimeoutMs);
    return foreground;
}
