// slow_start.exe [MS]: a windowed program slow to come up, as a media centre
// is while it loads: sleeps MS (4000), sets the event
// "QuellonSlowStartReading" and reads its first message.
#include <windows.h>
#include <stdlib.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    Sleep(*commandLine > ' ' ? (DWORD)atoi(commandLine) : 4000);
    HANDLE reading = OpenEventA(EVENT_MODIFY_STATE, FALSE, "QuellonSlowStartReading");
    if (reading)
        SetEvent(reading);
    MSG msg;
    PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);    // a starter waiting for input idle goes on now
    return 0;
}
