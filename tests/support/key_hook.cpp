// Low-level keyboard hook recorder.
#include "tests/support/key_hook.h"

#include <stdio.h>

static CRITICAL_SECTION HookLock;
static const BOOL HookLockReady = (InitializeCriticalSection(&HookLock), TRUE);
static std::vector<HookedKey> Recorded;
static HANDLE HookThread;
static DWORD HookThreadId;
static HANDLE HookReady;

static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT* k = (const KBDLLHOOKSTRUCT*)lParam;
        HookedKey h = { k->vkCode, k->scanCode, k->flags,
                        wParam == WM_KEYUP || wParam == WM_SYSKEYUP, GetForegroundWindow() };
        EnterCriticalSection(&HookLock);
        Recorded.push_back(h);
        LeaveCriticalSection(&HookLock);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

static DWORD WINAPI HookMain(LPVOID)
{
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, HookProc, GetModuleHandleA(NULL), 0);
    MSG msg;
    PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);    // the queue exists before Start returns
    SetEvent(HookReady);
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    UnhookWindowsHookEx(hook);
    return 0;
}

void StartKeyHook()
{
    (void)HookLockReady;
    EnterCriticalSection(&HookLock);
    Recorded.clear();
    LeaveCriticalSection(&HookLock);
    if (HookThread)
        return;
    HookReady = CreateEventA(NULL, TRUE, FALSE, NULL);
    HookThread = CreateThread(NULL, 0, HookMain, NULL, 0, &HookThreadId);
    WaitForSingleObject(HookReady, 10000);
}

void StopKeyHook()
{
    if (!HookThread)
        return;
    PostThreadMessageA(HookThreadId, WM_QUIT, 0, 0);
    WaitForSingleObject(HookThread, 10000);
    CloseHandle(HookThread);
    CloseHandle(HookReady);
    HookThread = NULL;
}

std::vector<HookedKey> HookedKeys()
{
    EnterCriticalSection(&HookLock);
    std::vector<HookedKey> copy = Recorded;
    LeaveCriticalSection(&HookLock);
    return copy;
}

bool WaitForHookedKeys(size_t count, DWORD ms)
{
    DWORD start = GetTickCount();
    while (HookedKeys().size() < count) {
        if (GetTickCount() - start >= ms)
            return false;
        Sleep(5);
    }
    return true;
}

std::string HookedKeyText()
{
    std::string text;
    for (const HookedKey& k : HookedKeys()) {
        char one[16];
        _snprintf(one, sizeof one, "%s%c%02X", text.empty() ? "" : " ", k.release ? '-' : '+',
                  (unsigned)k.vk);
        one[sizeof one - 1] = '\0';
        text += one;
    }
    return text;
}

StandIn* ShownStandIn(const char* windowClass, const char* title)
{
    StandIn* s = CreateStandIn(windowClass, title);
    SetStandInReply(s, WM_CLOSE, 0);
    ShowWindow(StandInWindow(s), SW_SHOWNA);
    return s;
}

static bool InFront(void* window)
{
    return GetForegroundWindow() == (HWND)window;
}

bool WaitInFront(HWND window)
{
    return WaitUntil(InFront, window, 3000);
}

bool SettleInFront(HWND window)
{
    PumpMessagesFor(300);
    SetForegroundWindow(window);
    bool inFront = WaitInFront(window);
    PumpMessagesFor(300);
    return inFront && GetForegroundWindow() == window;
}
