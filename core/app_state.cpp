// Values start-up works out once: platform, icons, dialog windows.
#include "core/app_state.h"

int NtFlag;
DWORD WindowsMajorVersion;
SwitchToThisWindowFn SwitchToThisWindowProc;
HICON NormalIcon;
HICON FlashIcon;
HWND ConfigDialog;
HWND SettingsDialog;

void SetNtFlagFromPlatform(DWORD platformId)
{
    NtFlag = platformId != VER_PLATFORM_WIN32_WINDOWS;
}
