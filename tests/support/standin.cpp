// Stand-in windows: each on a thread of its own, so that a synchronous send
// from the program under test is answered while the test thread waits.
#include "tests/support/standin.h"

#include <stdlib.h>
#include <string.h>

struct Reply {
    UINT message;
    LRESULT value;
};

struct StandIn {
    char windowClass[256];    // the longest class name there can be
    char title[1024];
    bool dialogClass;
    HWND window;
    HANDLE thread;
    DWORD threadId;
    HANDLE ready;
    WNDPROC baseProc;
    CRITICAL_SECTION lock;
    RecordedMessage log[StandInMaxMessages];
    int count;
    Reply replies[StandInMaxReplies];
    int replyCount;
    HANDLE hanging;    // set once the thread waits in HangMessage
    HANDLE released;
};

// Posted by HangStandIn; not recorded.
static const UINT HangMessage = WM_APP + 0x3F00;

static const char StandInProp[] = "QuellonTestStandIn";

static LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    StandIn* s = (StandIn*)GetPropA(window, StandInProp);
    if (!s)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == HangMessage) {
        SetEvent(s->hanging);
        WaitForSingleObject(s->released, INFINITE);
        return 0;
    }
    EnterCriticalSection(&s->lock);
    if (s->count < StandInMaxMessages)
        s->log[s->count++] = RecordedMessage{ message, wParam, lParam };
    bool answered = false;
    LRESULT reply = 0;
    for (int i = 0; i < s->replyCount; ++i)
        if (s->replies[i].message == message) {
            answered = true;
            reply = s->replies[i].value;
        }
    LeaveCriticalSection(&s->lock);
    if (message == WM_NCDESTROY)
        RemovePropA(window, StandInProp);
    if (answered)
        return reply;
    if (s->baseProc)
        return CallWindowProcA(s->baseProc, window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

static DWORD WINAPI StandInThread(LPVOID arg)
{
    StandIn* s = (StandIn*)arg;
    HINSTANCE self = GetModuleHandleA(NULL);
    if (s->dialogClass) {
        s->window = CreateWindowExA(0, MAKEINTATOM(0x8002), s->title, WS_POPUP, 0, 0, 10, 10,
                                    NULL, NULL, self, NULL);
        SetPropA(s->window, StandInProp, s);
        s->baseProc = (WNDPROC)SetWindowLongPtrA(s->window, GWLP_WNDPROC, (LONG_PTR)StandInProc);
    } else {
        WNDCLASSA wc;
        ZeroMemory(&wc, sizeof wc);
        wc.lpfnWndProc = StandInProc;
        wc.hInstance = self;
        wc.lpszClassName = s->windowClass;
        RegisterClassA(&wc);    // a second stand-in of the same class reuses it
        s->window = CreateWindowExA(0, s->windowClass, s->title, WS_POPUP, 0, 0, 10, 10, NULL,
                                    NULL, self, NULL);
        SetPropA(s->window, StandInProp, s);
    }
    SetEvent(s->ready);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(s->window);
    return 0;
}

StandIn* CreateStandIn(const char* windowClass, const char* title)
{
    StandIn* s = (StandIn*)calloc(1, sizeof(StandIn));
    s->dialogClass = windowClass == NULL;
    lstrcpynA(s->windowClass, windowClass ? windowClass : "", sizeof s->windowClass);
    lstrcpynA(s->title, title ? title : "", sizeof s->title);
    InitializeCriticalSection(&s->lock);
    s->ready = CreateEventA(NULL, TRUE, FALSE, NULL);
    s->hanging = CreateEventA(NULL, FALSE, FALSE, NULL);
    s->released = CreateEventA(NULL, FALSE, FALSE, NULL);
    s->thread = CreateThread(NULL, 0, StandInThread, s, 0, &s->threadId);
    WaitForSingleObject(s->ready, 10000);
    return s;
}

void HangStandIn(StandIn* s)
{
    PostMessageA(s->window, HangMessage, 0, 0);
    WaitForSingleObject(s->hanging, 10000);
}

void ReleaseStandIn(StandIn* s)
{
    SetEvent(s->released);
}

void SetStandInReply(StandIn* s, UINT message, LRESULT reply)
{
    EnterCriticalSection(&s->lock);
    if (s->replyCount < StandInMaxReplies)
        s->replies[s->replyCount++] = Reply{ message, reply };
    LeaveCriticalSection(&s->lock);
}

HWND StandInWindow(StandIn* s)
{
    return s->window;
}

int CountStandInMessages(StandIn* s, UINT message)
{
    EnterCriticalSection(&s->lock);
    int n = 0;
    for (int i = 0; i < s->count; ++i)
        n += s->log[i].message == message;
    LeaveCriticalSection(&s->lock);
    return n;
}

bool GetStandInMessage(StandIn* s, UINT message, int nth, RecordedMessage* out)
{
    EnterCriticalSection(&s->lock);
    bool found = false;
    for (int i = 0; i < s->count && !found; ++i)
        if (s->log[i].message == message && nth-- == 0) {
            *out = s->log[i];
            found = true;
        }
    LeaveCriticalSection(&s->lock);
    return found;
}

int CountAllStandInMessages(StandIn* s)
{
    EnterCriticalSection(&s->lock);
    int n = s->count;
    LeaveCriticalSection(&s->lock);
    return n;
}

bool GetStandInMessageAt(StandIn* s, int index, RecordedMessage* out)
{
    EnterCriticalSection(&s->lock);
    bool found = index >= 0 && index < s->count;
    if (found)
        *out = s->log[index];
    LeaveCriticalSection(&s->lock);
    return found;
}

struct CountWait {
    StandIn* s;
    UINT message;
    int count;
};

static bool EnoughMessages(void* arg)
{
    CountWait* w = (CountWait*)arg;
    return CountStandInMessages(w->s, w->message) >= w->count;
}

bool WaitForStandInMessages(StandIn* s, UINT message, int count, DWORD timeoutMs)
{
    CountWait w = { s, message, count };
    return WaitUntil(EnoughMessages, &w, timeoutMs);
}

void DestroyStandIn(StandIn* s)
{
    if (!s)
        return;
    PostThreadMessageA(s->threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(s->thread, 10000);
    CloseHandle(s->thread);
    CloseHandle(s->ready);
    CloseHandle(s->hanging);
    CloseHandle(s->released);
    DeleteCriticalSection(&s->lock);
    free(s);
}

void PumpMessagesFor(DWORD ms)
{
    DWORD start = GetTickCount();
    MSG msg;
    do {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

bool WaitUntil(bool (*cond)(void*), void* arg, DWORD ms)
{
    DWORD start = GetTickCount();
    MSG msg;
    for (;;) {
        if (cond(arg))
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    }
}
