// Keystroke synthesis: one key with any of Ctrl, Alt, Shift and Win, typed
// through SendInput, optionally into a window brought to the front first.
#include "actions/keys.h"

#include "shell/app_state.h"

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

enum { ComboEventCount = sizeof ComboEvents / sizeof ComboEvents[0] };

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

// Injected keys are delivered after SendInput returns, to whatever window has
// the focus when the target's thread reads them. Handing the foreground back
// right away lets them land in the window being restored. While its input is
// attached to ours, the target's key state shows what it has read: every key
// of the combination up again, and pressed an odd or even number of times as
// sent (the low bit of GetKeyState flips on each press it reads).
struct KeysTaken {
    DWORD thread;
    bool attached;
    int count;
    uint8_t code[ComboEventCount];
    SHORT toggled[ComboEventCount];
};

static void WatchKeys(KeysTaken* w, HWND target, uint8_t vk, uint8_t flags)
{
    w->count = 0;
    w->thread = GetWindowThreadProcessId(target, NULL);
    w->attached = w->thread && w->thread != GetCurrentThreadId() &&
                  AttachThreadInput(GetCurrentThreadId(), w->thread, TRUE);
    if (!w->attached)
        return;
    for (const ComboEvent& e : ComboEvents) {
        if (!EventApplies(e, vk, flags) || e.release)
            continue;
        uint8_t code = EventCode(e, vk);
        int i = 0;
        while (i < w->count && w->code[i] != code)
            ++i;
        if (i == w->count) {
            w->code[w->count++] = code;
            w->toggled[i] = GetKeyState(code) & 1;
        }
        w->toggled[i] ^= 1;
    }
}

static bool AllKeysTaken(const KeysTaken* w)
{
    for (int i = 0; i < w->count; ++i) {
        SHORT state = GetKeyState(w->code[i]);
        if ((state & 0x8000) || (state & 1) != w->toggled[i])
            return false;
    }
    return true;
}

static void WaitForKeysTaken(KeysTaken* w)
{
    if (!w->attached)
        return;
    DWORD start = GetTickCount();
    while (!AllKeysTaken(w) && GetTickCount() - start < KeysTakenTimeoutMs)
        Sleep(2);
    AttachThreadInput(GetCurrentThreadId(), w->thread, FALSE);
}

// Another program's window becomes the foreground window only once its own
// thread has handled the activation. Keys injected before that find no focus
// in it and are lost, or go to the window that had the foreground.
static void WaitUntilInFront(HWND window)
{
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != window && GetTickCount() - start < ActivationTimeoutMs)
        Sleep(2);
}

void SendKeyCombo(HWND target, uint8_t vk, uint8_t flags)
{
    if (!target && (flags & OnlyIfWindowFound))
        return;
    HWND current = GetForegroundWindow();
    HWND previous = NULL;
    if (target) {
        if (target != current && (flags & OnlyIfActive))
            return;
        previous = BringWindowToFront(target);
        if (previous != target)
            WaitUntilInFront(target);
    }
    bool restore = target && previous && (flags & RestorePreviousWindow);
    KeysTaken taken;
    taken.attached = false;
    if (restore)
        WatchKeys(&taken, target, vk, flags);
    for (const ComboEvent& e : ComboEvents)
        if (EventApplies(e, vk, flags))
            SendKeyEvent(EventCode(e, vk), e.release);
    if (restore) {
        WaitForKeysTaken(&taken);
        BringWindowToFront(previous);
    }
}

HWND BringWindowToFront(HWND window)
{
    HWND foreground = GetForegroundWindow();
    if (window == foreground)
        return foreground;
    if (SwitchToThisWindowProc) {
        SwitchToThisWindowProc(window, FALSE);
        return foreground;
    }
    DWORD owner = GetWindowThreadProcessId(foreground, NULL);
    DWORD me = GetCurrentThreadId();
    AttachThreadInput(owner, me, TRUE);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    AttachThreadInput(owner, me, FALSE);
    return foreground;
}
