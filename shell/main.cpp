// Entry point of quellon.exe.
#include <windows.h>

#include "platform/system_dll.h"
#include "shell/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything can load a DLL: Quellon is unpacked anywhere, the
    // Downloads folder included, and nothing lying beside it may run.
    KeepDllSearchInSystemFolder();
    return RunQuellon();
}
