// Records every keyboard event the system sees, injected ones included, with
// a low-level keyboard hook on a thread of its own; and the foreground window
// that keystrokes go to.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "tests/support/standin.h"

struct HookedKey {
    DWORD vk;
    DWORD scanCode;
    DWORD flags;     // LLKHF_*
    bool release;
    HWND foreground; // the foreground window when the hook saw it
};

// Starts recording (clears what was recorded before).
void StartKeyHook();
void StopKeyHook();
std::vector<HookedKey> HookedKeys();
// Waits until at least count events are recorded; false on time-out.
bool WaitForHookedKeys(size_t count, DWORD ms);
// The events as "+11 +43 -43 -11" (hex codes, + press, - release).
std::string HookedKeyText();

// A visible stand-in window (WM_CLOSE answered, so Alt+F4 does not end it).
StandIn* ShownStandIn(const char* windowClass, const char* title);
// Waits up to 3 s until window is the foreground window.
bool WaitInFront(HWND window);
// Makes one of our windows the foreground window and lets the X server's late
// focus events pass, which would otherwise take the foreground away again.
bool SettleInFront(HWND window);
