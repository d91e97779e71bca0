// Records every keyboard event the system sees, injected ones included, with
// a low-level keyboard hook on a thread of its own.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

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
