// Tray icon, tick thread and tray menu.
#include "shell/tray.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <stdio.h>

#include "config/settings.h"
#include "core/active.h"
#include "core/app_state.h"
#include "core/countdown.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "platform/system_dll.h"
#include "core/preferences.h"
#include "core/profile.h"
#include "core/remote_owner.h"
#include "core/router.h"
#include "core/vendor_apps.h"
#include "osd/osd.h"
#include "res/resource.h"
#include "shell/version.h"

// Wide, for the folder: the program may live in one whose name the ANSI
// code page cannot spell.
static const wchar_t AboutBoxText[] =
    L"Quellon " QUELLON_VERSION_TEXT "\n"
    "Turns the infrared remote of your TV card into a remote for the whole PC.\n"
    "Free software under the MIT licence; no warranty.";

static NOTIFYICONDATAA TrayIconData;
static UINT TaskbarCreatedMessage;

// At logon the shell may not take icons yet: the add, and a balloon asked
// for meanwhile, are tried again once a second, for a minute.
enum { TrayAddTimer = TrayCallbackMessage, TrayAddRetryMs = 1000, TrayAddTries = 60 };
static int TrayAddTriesLeft;

// With TrayDoubleClick clear, a left click opens the menu only once the
// double-click time has passed without a second click: a menu opened at
// the first press would take the second click into its own loop.
enum { TrayMenuTimer = TrayAddTimer + 1 };

// The balloon text still to be shown; empty when none is.
static char PendingBalloon[sizeof TrayIconData.szInfo];

// Only the tick thread and the main thread hand the record to the shell,
// one at a time, so that the last icon set is the one shown. The receiver
// thread never does: one NIM_MODIFY waits for the shell's tray to redraw
// (milliseconds), and every action of the key would wait behind it.
static CRITICAL_SECTION TrayLock;

static bool NotifyTray(DWORD message, HICON icon)
{
    EnterCriticalSection(&TrayLock);
    if (icon)
        TrayIconData.hIcon = icon;
    BOOL done = Shell_NotifyIconA(message, &TrayIconData);
    LeaveCriticalSection(&TrayLock);
    return done != FALSE;
}

HICON TrayIconShown()
{
    EnterCriticalSection(&TrayLock);
    HICON icon = TrayIconData.hIcon;
    LeaveCriticalSection(&TrayLock);
    return icon;
}

// The flash icon while the flash countdown runs, else the normal one; the
// shell is told only when that changes. Tick thread only.
static void ShowWantedTrayIcon()
{
    HICON wanted = FlashCountdown != 0 ? FlashIcon : NormalIcon;
    if (wanted != TrayIconData.hIcon)
        NotifyTray(NIM_MODIFY, wanted);
}

// Wakes when a countdown starts and when the first one running is due to
// end, and sleeps in between: a flash costs two passes, a text shown for
// seconds two more. A countdown started again to end later wakes nobody:
// the pass at its old end finds it running on and sleeps until the new one.
// The key path starts the flash once the key's actions have run, so it is
// shown at once.
static DWORD WINAPI TickThread(LPVOID)
{
    for (;;) {
        ShowWantedTrayIcon();
        if (EndCountdownIfDue(&FlashCountdown, Platform.getTickCount()))
            ShowWantedTrayIcon();
        TickOsdSlots();
        DWORD now = Platform.getTickCount();
        DWORD flash = CountdownDueIn(&FlashCountdown, now);
        DWORD osd = OsdCountdownsDueIn(now);
        DWORD due = flash < osd ? flash : osd;
        if (due > 0)
            WaitForCountdownStart(due);
    }
}

// The About box also tells where the bindings and settings are kept, each
// file where its saves go.
static int ShowAboutBox()
{
    wchar_t text[sizeof AboutBoxText / sizeof AboutBoxText[0] + 80 + 2 * MAX_PATH];
    const wchar_t* none = L"(nowhere: it cannot be saved)";
    const wchar_t* profile = ProfileFile.savePath[0] ? ProfileFile.savePath : none;
    const wchar_t* settings = SettingsFile.savePath[0] ? SettingsFile.savePath : none;
    int n = _snwprintf(text, sizeof text / sizeof text[0],
                       L"%ls\n\nBindings are kept in\n%ls\n\nSettings are kept in\n%ls", AboutBoxText,
                       profile, settings);
    if (n < 0 || (size_t)n >= sizeof text / sizeof text[0])
        text[sizeof text / sizeof text[0] - 1] = L'\0';
    MessageBoxW(ConfigDialog, text, L"About this ...", MB_ICONINFORMATION);
    return 1;
}

// The tooltip says whether the remote works: a maker's application that
// has it first, since then switching on changes nothing.
static const char* TrayTip()
{
    if (VendorAppRunning())
        return "Quellon (TV application running)";
    return ActiveFlag ? "Quellon" : "Quellon (switched off)";
}

// Main thread, when the switch is turned or the remote changes hands.
static int ShowTrayState()
{
    EnterCriticalSection(&TrayLock);
    const char* tip = TrayTip();
    if (lstrcmpA(tip, TrayIconData.szTip) != 0) {
        lstrcpynA(TrayIconData.szTip, tip, sizeof TrayIconData.szTip);
        Shell_NotifyIconA(NIM_MODIFY, &TrayIconData);
    }
    LeaveCriticalSection(&TrayLock);
    return 1;
}

void ShowConfigDialog()
{
    ShowWindow(ConfigDialog, SW_SHOW);
    SetForegroundWindow(ConfigDialog);
}

static void InsertMenuText(HMENU menu, UINT position, UINT id, UINT state, const char* text)
{
    MENUITEMINFOA item;
    ZeroMemory(&item, sizeof item);
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.fState = state;
    item.wID = id;
    item.dwTypeData = (LPSTR)text;
    item.cch = 15;
    InsertMenuItemA(menu, position, TRUE, &item);
}

static void OpenTrayMenu()
{
    KillTimer(ConfigDialog, TrayMenuTimer);
    HMENU menu = CreatePopupMenu();
    // Configuration goes in at 1 after the switch, which moves the switch to 2.
    InsertMenuText(menu, 0, IDM_ABOUT, MFS_ENABLED, "&About this..");
    InsertMenuText(menu, 1, IDM_TOGGLE_ACTIVE, MFS_ENABLED, ActiveFlag ? "&Deactivate" : "&Activate");
    InsertMenuText(menu, 1, IDM_CONFIGURATION, MFS_DEFAULT, "&Configuration");
    InsertMenuText(menu, 3, IDM_EXIT, MFS_ENABLED, "E&xit application");

    // Without the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(ConfigDialog);
    SetCapture(ConfigDialog);
    POINT at;
    GetCursorPos(&at);
    UINT id = (UINT)TrackPopupMenu(menu, TPM_RETURNCMD | TPM_BOTTOMALIGN | TPM_RIGHTALIGN,
                                   at.x, at.y, 0, ConfigDialog, NULL);
    ReleaseCapture();
    DestroyMenu(menu);
    PostMessageA(ConfigDialog, WM_NULL, 0, 0);

    switch (id) {
    case IDM_ABOUT: ShowAboutBox(); break;
    case IDM_CONFIGURATION: ShowConfigDialog(); break;
    case IDM_EXIT: PostQuitMessage(0); break;
    case IDM_TOGGLE_ACTIVE:
        InterlockedExchange(&ActiveFlag, !ActiveFlag);
        ShowTrayState();
        break;
    }
}

static int OpenDelayedTrayMenu()
{
    OpenTrayMenu();
    return 1;
}

static int TrayHandler()
{
    // Read first: a nested modal loop overwrites the current message.
    LPARAM mouse = CurrentLParam();
    switch (mouse) {
    case WM_LBUTTONDOWN:
        if (!Settings.TrayDoubleClick)
            SetTimer(ConfigDialog, TrayMenuTimer, GetDoubleClickTime(), NULL);
        break;
    case WM_LBUTTONDBLCLK:
        KillTimer(ConfigDialog, TrayMenuTimer);
        if (Settings.TrayDoubleClick)
            LaunchVendorApp();
        else
            ShowConfigDialog();
        break;
    case WM_RBUTTONDOWN:
        OpenTrayMenu();
        break;
    }
    return 1;
}

// An add that the shell reports as failed may still have landed (it timed
// out while the shell was busy): an icon it can modify is there.
static bool AddToShell()
{
    return NotifyTray(NIM_ADD, NULL) || NotifyTray(NIM_MODIFY, NULL);
}

// Only the balloon is given: the icon and its tip stay as they are.
static bool GiveBalloon()
{
    NOTIFYICONDATAA balloon;
    ZeroMemory(&balloon, sizeof balloon);
    balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    balloon.hWnd = ConfigDialog;
    balloon.uID = TrayIconData.uID;
    balloon.uFlags = NIF_INFO;
    balloon.uTimeout = 15000;
    balloon.dwInfoFlags = NIIF_INFO;
    lstrcpynA(balloon.szInfoTitle, "Quellon", sizeof balloon.szInfoTitle);
    lstrcpynA(balloon.szInfo, PendingBalloon, sizeof balloon.szInfo);
    if (!Shell_NotifyIconA(NIM_MODIFY, &balloon))
        return false;
    PendingBalloon[0] = '\0';
    return true;
}

// The shell holds the icon and every balloon asked for.
static bool UpdateShell()
{
    return AddToShell() && (!PendingBalloon[0] || GiveBalloon());
}

static int RetryTrayAdd()
{
    if (UpdateShell() || --TrayAddTriesLeft <= 0)
        KillTimer(ConfigDialog, TrayAddTimer);
    return 1;
}

static void RetryLater()
{
    TrayAddTriesLeft = TrayAddTries;
    SetTimer(ConfigDialog, TrayAddTimer, TrayAddRetryMs, NULL);
}

static void AddUntilTaken()
{
    if (UpdateShell())
        KillTimer(ConfigDialog, TrayAddTimer);
    else
        RetryLater();
}

// Balloons came with shell32 5.0; its version is asked for at run time.
static bool ShellHasBalloons()
{
    DLLGETVERSIONPROC getVersion =
        (DLLGETVERSIONPROC)(void*)FindSystemFunction("shell32.dll", "DllGetVersion");
    DLLVERSIONINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    return getVersion && SUCCEEDED(getVersion(&info)) && info.dwMajorVersion >= 5;
}

void ShowTrayBalloon(const char* text)
{
    if (!ShellHasBalloons())
        return;
    lstrcpynA(PendingBalloon, text, sizeof PendingBalloon);
    // An icon the shell has not taken yet gets it once it does.
    if (!GiveBalloon())
        RetryLater();
}

// Explorer restarted: its new notification area knows no icons yet.
static int ReAddTrayIcon()
{
    AddUntilTaken();
    return 1;
}

// Running elevated, Windows keeps the shell's "TaskbarCreated" from us and
// the icon would be gone for good after Explorer restarts. The filter is
// missing before Vista, where nothing is filtered.
static void LetTaskbarCreatedThrough(UINT message)
{
    typedef BOOL (WINAPI* ChangeWindowMessageFilterFn)(UINT message, DWORD flag);
    const DWORD AllowMessage = 1;    // MSGFLT_ADD
    ChangeWindowMessageFilterFn allow = (ChangeWindowMessageFilterFn)(void*)FindSystemFunction(
        "user32.dll", "ChangeWindowMessageFilter");
    if (allow)
        allow(message, AllowMessage);
}

void AddTrayIcon()
{
    static bool initialised;
    if (!initialised)
        InitializeCriticalSection(&TrayLock);
    initialised = true;
    AddCommandRoute(ConfigDialog, IDC_ABOUT, ShowAboutBox);
    AddRoute(ConfigDialog, TrayCallbackMessage, 0, 0, TrayHandler);
    AddRoute(ConfigDialog, WM_TIMER, TrayAddTimer, 0, RetryTrayAdd);
    AddRoute(ConfigDialog, WM_TIMER, TrayMenuTimer, 0, OpenDelayedTrayMenu);
    TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    if (TaskbarCreatedMessage) {
        AddRoute(ConfigDialog, TaskbarCreatedMessage, 0, 0, ReAddTrayIcon);
        LetTaskbarCreatedThrough(TaskbarCreatedMessage);
    }
    AddRoute(ConfigDialog, RemoteOwnerMessage, 0, 0, ShowTrayState);

    EnterCriticalSection(&TrayLock);
    ZeroMemory(&TrayIconData, sizeof TrayIconData);
    TrayIconData.cbSize = NOTIFYICONDATAA_V2_SIZE;
    TrayIconData.hWnd = ConfigDialog;
    TrayIconData.uID = 0;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = TrayCallbackMessage;
    TrayIconData.hIcon = NormalIcon;
    lstrcpynA(TrayIconData.szTip, TrayTip(), sizeof TrayIconData.szTip);
    LeaveCriticalSection(&TrayLock);
    AddUntilTaken();

    HANDLE thread = CreateThread(NULL, 0, TickThread, NULL, 0, NULL);
    if (thread)
        CloseHandle(thread);
}

void RemoveTrayIcon()
{
    KillTimer(ConfigDialog, TrayAddTimer);
    KillTimer(ConfigDialog, TrayMenuTimer);
    NotifyTray(NIM_DELETE, NULL);
}
