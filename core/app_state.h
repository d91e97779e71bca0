// Process-wide values that start-up works out once and everyone else reads:
// what platform we are on, our icons and dialogs.
#pragma once
#include <windows.h>

// 1 on the Windows NT family, 0 on Windows 95/98/Me.
extern int NtFlag;

// The platform's major version: 5 for 2000 and XP, 6 and above from Vista.
extern DWORD WindowsMajorVersion;

typedef void (WINAPI* SwitchToThisWindowFn)(HWND, BOOL);
// user32's SwitchToThisWindow, or NULL where the system lacks it.
extern SwitchToThisWindowFn SwitchToThisWindowProc;

extern HICON NormalIcon;    // resource 101
extern HICON FlashIcon;     // resource 104
extern HWND ConfigDialog;
extern HWND SettingsDialog;

// Sets NtFlag from a platform id as GetVersionExA reports it.
void SetNtFlagFromPlatform(DWORD platformId);
