// Entry point of quellon.exe.
#include <windows.h>

#include "shell/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunQuellon();
}
