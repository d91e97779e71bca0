// The first run's balloon.
#include "shell/first_run.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "core/app_state.h"
#include "core/paths.h"
#include "core/router.h"
#include "shell/tray.h"

static const char FirstRunText[] = "Quellon is running. Right-click this icon to bind the remote's keys.";

bool IsFirstRun()
{
    char path[MAX_PATH];
    FormLoadFilePath(path, sizeof path, "profile.cfg");
    return !path[0] || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}

// Balloons came with shell32 5.0; its version is asked for at run time.
static bool ShellHasBalloons()
{
    HMODULE shell32 = GetModuleHandleA("shell32.dll");
    DLLGETVERSIONPROC getVersion =
        shell32 ? (DLLGETVERSIONPROC)(void*)GetProcAddress(shell32, "DllGetVersion") : NULL;
    DLLVERSIONINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    return getVersion && SUCCEEDED(getVersion(&info)) && info.dwMajorVersion >= 5;
}

// The tray's own timer is TrayCallbackMessage; this one is the next id.
enum { BalloonTimer = TrayCallbackMessage + 1, BalloonRetryMs = 1000, BalloonTries = 60 };
static int BalloonTriesLeft;

// Only the balloon is given: the icon and its tip stay as the tray set them.
static bool GiveBalloon()
{
    NOTIFYICONDATAA balloon;
    ZeroMemory(&balloon, sizeof balloon);
    balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    balloon.hWnd = ConfigDialog;
    balloon.uID = 0;
    balloon.uFlags = NIF_INFO;
    balloon.uTimeout = 15000;
    balloon.dwInfoFlags = NIIF_INFO;
    lstrcpynA(balloon.szInfoTitle, "Quellon", sizeof balloon.szInfoTitle);
    lstrcpynA(balloon.szInfo, FirstRunText, sizeof balloon.szInfo);
    return Shell_NotifyIconA(NIM_MODIFY, &balloon) != FALSE;
}

// At sign-in the shell may take the icon only after a while, which the tray
// tries again for a minute; the balloon waits for the icon the same way.
static int RetryBalloon()
{
    if (GiveBalloon() || --BalloonTriesLeft <= 0)
        KillTimer(ConfigDialog, BalloonTimer);
    return 1;
}

void ShowFirstRunBalloon()
{
    if (!ShellHasBalloons() || GiveBalloon())
        return;
    BalloonTriesLeft = BalloonTries;
    AddRoute(ConfigDialog, WM_TIMER, BalloonTimer, 0, RetryBalloon);
    SetTimer(ConfigDialog, BalloonTimer, BalloonRetryMs, NULL);
}
