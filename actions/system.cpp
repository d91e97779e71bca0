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

void SetMonitorPower(int32_t state)
{
    // Called directly, not sent: the dialog's thread may be busy, and the
    // default procedure acts for whichever thread calls it.
    Platform.defWindowProc(ConfigDialog, WM_SYSCOMMAND, SC_MONITORPOWER, (LPARAM)state);
}
