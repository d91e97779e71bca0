// Holding another process's thread still, so that a test can change several
// windows between two passes of a polling loop.
#pragma once
#include <windows.h>

// Suspends the thread that owns window; returns a handle for ResumeWindowThread.
HANDLE SuspendWindowThread(HWND window);
void ResumeWindowThread(HANDLE thread);
