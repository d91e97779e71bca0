// Suspending and resuming the thread behind a window.
#include "tests/support/threads.h"

HANDLE SuspendWindowThread(HWND window)
{
    DWORD tid = GetWindowThreadProcessId(window, NULL);
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, tid);
    if (thread)
        SuspendThread(thread);
    return thread;
}

void ResumeWindowThread(HANDLE thread)
{
    if (!thread)
        return;
    ResumeThread(thread);
    CloseHandle(thread);
}
