// slow_start.exe: a windowed program slow to come up, as a media centre is
// while it loads: it sleeps, then sets a named event and reads its first
// message, and ends.
//   slow_start.exe [MS [EVENT]]    (4000 and "QuellonSlowStartReading")
#include <windows.h>
#include <stdlib.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    char* rest = commandLine;
    unsigned long ms = strtoul(commandLine, &rest, 10);
    if (rest == commandLine)
        ms = 4000;
    while (*rest == ' ')
        ++rest;
    Sleep(ms);
    HANDLE reading = OpenEventA(EVENT_MODIFY_STATE, FALSE, *rest ? rest : "QuellonSlowStartReading");
    if (reading)
        SetEvent(reading);
    MSG msg;
    PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);    // a starter waiting for input idle goes on now
    return 0;
}
