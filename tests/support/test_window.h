// A plain top-level popup window of a class of the test's own, made on the
// calling thread: the target or player window that a test or benchmark
// pumps itself.
#pragma once
#include <windows.h>

// Registers windowClass with proc (a class registered before is reused) and
// makes a WS_POPUP window of it, plus extraStyle, at the given rectangle.
HWND MakeTestWindow(const char* windowClass, const char* title, WNDPROC proc,
                    DWORD extraStyle = 0, int x = 0, int y = 0, int w = 10, int h = 10,
                    HBRUSH background = NULL);

// Dispatches the calling thread's messages until WM_QUIT.
void RunTestWindowLoop();

// A thread of its own that makes its windows with make and then runs
// RunTestWindowLoop; started once make has run, ended by StopTestWindowThread.
struct TestWindowThread {
    HANDLE thread;
    DWORD id;
};
TestWindowThread StartTestWindowThread(void (*make)());
void StopTestWindowThread(TestWindowThread* t);
