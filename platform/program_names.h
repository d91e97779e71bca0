// The program a window belongs to, by the file name of its executable, read
// without sending the program anything.
#pragma once
#include <windows.h>

// The file name (no folder) of the executable whose process owns window, as
// Windows reports it. A Store app's frame (ApplicationFrameHost.exe) names
// the app it hosts. False, name empty, when it cannot be read (a program
// running as administrator) or does not fit in size characters.
bool ProgramOfWindow(HWND window, wchar_t* name, size_t size);
