// Plain test windows on the calling thread.
#include "tests/support/test_window.h"

HWND MakeTestWindow(const char* windowClass, const char* title, WNDPROC proc, DWORD extraStyle,
                    int x, int y, int w, int h, HBRUSH background)
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = background;
    wc.lpszClassName = windowClass;
    RegisterClassA(&wc);
    return CreateWindowExA(0, windowClass, title, WS_POPUP | extraStyle, x, y, w, h, NULL, NULL,
                           wc.hInstance, NULL);
}

void RunTestWindowLoop()
{
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

namespace {

struct WindowThreadStart {
    void (*make)();
    HANDLE ready;
};

DWORD WINAPI WindowThread(LPVOID arg)
{
    WindowThreadStart* start = (WindowThreadStart*)arg;
    start->make();
    SetEvent(start->ready);    // start is the starter's, and gone after this
    RunTestWindowLoop();
    return 0;
}

}  // namespace

TestWindowThread StartTestWindowThread(void (*make)())
{
    WindowThreadStart start = { make, CreateEventA(NULL, TRUE, FALSE, NULL) };
    TestWindowThread t = { NULL, 0 };
    t.thread = CreateThread(NULL, 0, WindowThread, &start, 0, &t.id);
    WaitForSingleObject(start.ready, 10000);
    CloseHandle(start.ready);
    return t;
}

void StopTestWindowThread(TestWindowThread* t)
{
    PostThreadMessageA(t->id, WM_QUIT, 0, 0);
    WaitForSingleObject(t->thread, 10000);
    CloseHandle(t->thread);
}
