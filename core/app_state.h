// Process-wide values that start-up works out once and everyone else reads:
// where our files live, what platform we are on, our icons and dialogs.
#pragma once
#include <windows.h>

enum { ProgramDirSize = 512 };

// Directory of the running executable, ending in a backslash.
extern char ProgramDir[ProgramDirSize];

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

// Cuts a module path after its last backslash, in place.
void CutAfterLastBackslash(char* path);

// Fills ProgramDir from the running executable's path.
void ResolveProgramDir();

// ProgramDir followed by fileName, or an empty text when the full path does
// not fit in 255 characters (or in size) or ProgramDir is unknown (empty).
void FormProgramFilePath(char* path, size_t size, const char* fileName);

// False when a file of ours may not be written over: it is marked read-only
// (the user's wish to keep it; Wine running as root would overwrite it
// anyway) or a folder stands in its place. True when nothing is there yet.
bool CanReplaceFile(const char* path);
