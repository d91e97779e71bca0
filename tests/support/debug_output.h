// Reading this process's own debug-output lines the way a debug viewer does
// (the shared "DBWIN_BUFFER" and its two events), without a debugger.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct DebugOutputCapture;

// Starts collecting the lines this process writes with OutputDebugStringA.
DebugOutputCapture* StartDebugOutputCapture();
// Waits until at least count lines have arrived (or ms pass), stops and
// returns them in order.
std::vector<std::string> StopDebugOutputCapture(DebugOutputCapture* c, size_t count, DWORD ms);
