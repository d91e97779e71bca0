// Whole-computer actions: shutdown and reboot, workstation lock, monitor power.
#include "actions/system.h"

#include <windows.h>

#include "core/app_state.h"
#include "platform/platform.h"

void ExitSystem(uint32_t flags)
{
    // No step checks the one before: where there are no security tokens
    // the privilege steps fail and the request is still made.
    HANDLE token = NULL;
    OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token);
    TOKEN_PRIVILEGES privileges;
    ZeroMemory(&privileges, sizeof privileges);
    LookupPrivilegeValueA(NULL, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, NULL, NULL);
    if (token)
        CloseHandle(token);
    // No force flag: running programs are asked to close in the ordinary way.
    Platform.exitWindowsEx(flags, 0);
}

void LockComputer()
{
    if (!NtFlag)
        return;
    LockWorkStationFn lock = Platform.findLockWorkStation();
    if (lock)
        lock();
}

static void MouseMove(INPUT* in, LONG dx)
{
    ZeroMemory(in, sizeof *in);
    in->type = INPUT_MOUSE;
    in->mi.dx = dx;
    in->mi.dwFlags = MOUSEEVENTF_MOVE;
}

// From Windows 8 on, the request no longer switches a display on; input
// does. A pixel and back, both in one call so that nothing comes between
// them, leaves the pointer where it was. The first step goes inwards, so
// that the screen's left edge cannot swallow it.
static void WakeDisplay()
{
    POINT at = { 0, 0 };
    GetCursorPos(&at);
    LONG step = at.x > GetSystemMetrics(SM_XVIRTUALSCREEN) ? -1 : 1;
    INPUT moves[2];
    MouseMove(&moves[0], step);
    MouseMove(&moves[1], -step);
    Platform.sendInput(2, moves, (int)sizeof(INPUT));
}

void SetMonitorPower(int32_t state)
{
    // Called directly, not sent: the dialog's thread may be busy, and the
    // default procedure acts for whichever thread calls it. Windows XP to 7
    // switch the display on by it.
    Platform.defWindowProc(ConfigDialog, WM_SYSCOMMAND, SC_MONITORPOWER, (LPARAM)state);
    if (state == MonitorPowerOn)
        WakeDisplay();
}
