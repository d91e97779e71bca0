// Start-up in its fixed order: settings before the OSD that uses them, the
// receiver last, once everything it touches exists.
#include "shell/startup.h"

#include <windows.h>
#include <commctrl.h>

#include "config/bindings_for.h"
#include "config/config_dialog.h"
#include "config/find_window.h"
#include "config/settings.h"
#include "config/settings_dialog.h"
#include "core/app_state.h"
#include "core/countdown.h"
#include "platform/file_access.h"
#include "platform/our_files.h"
#include "platform/paths.h"
#include "platform/system_dll.h"
#include "core/profile.h"
#include "core/program_sets.h"
#include "core/router.h"
#include "core/vendor_apps.h"
#include "osd/osd.h"
#include "remote/receiver.h"
#include "res/resource.h"
#include "shell/single_copy.h"
#include "shell/tray.h"

static void ProbePlatform()
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    // Deprecated but present on every Windows; the manifest makes it truthful.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    GetVersionExA(&version);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    SetNtFlagFromPlatform(version.dwPlatformId);
    WindowsMajorVersion = version.dwMajorVersion;
}

static void FindSwitchToThisWindow()
{
    SwitchToThisWindowProc =
        (SwitchToThisWindowFn)(void*)FindSystemFunction("user32.dll", "SwitchToThisWindow");
}

// The tray asks for the small-icon size of the display's DPI (16, 20, 24 or
// 32 pixels): each size is drawn in the icon resources, none is stretched.
static HICON LoadSmallIcon(int id)
{
    return (HICON)LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), IMAGE_ICON,
                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                             LR_DEFAULTCOLOR);
}

static void CreateDialogs()
{
    HINSTANCE self = GetModuleHandleA(NULL);
    NormalIcon = LoadSmallIcon(IDI_NORMAL);
    FlashIcon = LoadSmallIcon(IDI_FLASH);
    ConfigDialog = CreateDialogParamA(self, MAKEINTRESOURCEA(IDD_CONFIGURATION), NULL, RouteMessage, 0);
    SettingsDialog = CreateDialogParamA(self, MAKEINTRESOURCEA(IDD_SETTINGS), ConfigDialog, RouteMessage, 0);
    HWND dialogs[2] = { ConfigDialog, SettingsDialog };
    for (HWND d : dialogs) {
        PostMessageA(d, WM_SETICON, ICON_SMALL, (LPARAM)NormalIcon);
        PostMessageA(d, WM_SETICON, ICON_BIG, (LPARAM)FlashIcon);
    }
    CreateConfigDialog();
    CreateSettingsDialog();
}

static void CreateOsdSlots()
{
    InitOsd();
    CreateOsdSlot(2, 3, 0.0, 0.05);     // volume: centred, near the bottom
    CreateOsdSlot(3, 1, 0.01, 0.025);   // clock: top right
    CreateOsdSlot(1, 1, 0.01, 0.025);   // status words: top left
}

// ENDSESSION_CLOSEAPP and the RESTART_ flags, which older headers lack.
enum {
    CloseForUpdate = 0x00000001,
    RestartNotAfterCrash = 1,
    RestartNotAfterHang = 2,
    RestartNotAfterReboot = 8,
};

// At most this long for the receiver to drop its stand-in window at the end:
// a key's actions may be running on it.
enum { StandInEndMs = 1000 };

// Set once the session end asked us to close; main thread only.
static bool ClosedForUpdate;
// Set once both files are read: the shell's notification area may keep
// us waiting while we add the icon, and the session may end meanwhile.
// Saved before then, empty bindings and defaults would replace the user's.
static bool FilesLoaded;

// Windows ends the session: the last chance to save, and a quick one, since
// Windows may end a program that takes seconds. Nobody can answer a message
// box now. A cancelled end (wParam FALSE) changes nothing. At a log-off or
// shutdown Windows ends the process itself. An update (an installer's, or
// Windows Update's) closes programs through the Restart Manager, which
// marks the end as for this program alone: we end, or the update meets our
// files in use and asks for a restart of Windows.
static int SaveAtSessionEnd()
{
    if (FilesLoaded) {
        SaveSettings(true, SessionEndWaitMs);
        SaveProfile(true, SessionEndWaitMs);
        SaveProgramSets(true, SessionEndWaitMs);
    }
    if (CurrentLParam() & CloseForUpdate) {
        ClosedForUpdate = true;
        PostQuitMessage(0);
    }
    return 1;
}

// Vista and later start a program closed for an update again afterwards
// when it asked for that. Not after a crash or hang, which would only
// repeat, nor at the next sign-in after a reboot: the Startup shortcut
// starts Quellon then, and a second start would open the first one's
// Configuration dialog.
static void AskForRestartAfterUpdate()
{
    typedef HRESULT (WINAPI* RegisterApplicationRestartFn)(PCWSTR commandLine, DWORD flags);
    RegisterApplicationRestartFn ask = (RegisterApplicationRestartFn)(void*)FindSystemFunction(
        "kernel32.dll", "RegisterApplicationRestart");
    if (ask)
        ask(L"", RestartNotAfterCrash | RestartNotAfterHang | RestartNotAfterReboot);
}

static void RunMainLoop()
{
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (FindWindowFilter(&msg))
            continue;
        if (IsRoutedDialogMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int RunQuellon()
{
    if (HandOverToRunningCopy())
        return 0;
    InitCountdowns();    // without the event the tick thread polls instead
    InitCommonControls();
    ProbePlatform();
    BuildVendorAppPaths();
    ResolveProgramDir();
    ResolveUserDir();
    FindSwitchToThisWindow();
    CreateDialogs();
    PublishConfigDialog();
    AddRoute(ConfigDialog, WM_ENDSESSION, TRUE, 0, SaveAtSessionEnd);
    AddTrayIcon();
    LoadProfile();
    LoadProgramSets();
    ListProgramSets();
    LoadSettings();
    FilesLoaded = true;
    CreateOsdSlots();
    StartReceiverThread();
    ReportUnreadableFiles(ConfigDialog);
    // Last: the call waits for the shell, and everything else is ready first.
    // Said once, since on Windows 7 and later a new icon goes into the hidden
    // overflow and nothing else shows that Quellon started.
    if (ProfileWasMissing())
        ShowTrayBalloon("Quellon is running. Right-click this icon to bind the remote's keys.");
    AskForRestartAfterUpdate();

    RunMainLoop();

    // A start from now on runs as the first copy, once our files are saved.
    TakeBackConfigDialog();
    // Closed for an update, both files are saved already, and no message
    // box may hold the end up.
    if (!ClosedForUpdate) {
        SaveSettings();
        // One box at most: the sets' failure is told when profile.cfg's was not.
        SaveProgramSets(!SaveProfile());
    }
    LetNextCopyRun();
    EndStandIn(StandInEndMs);
    RemoveTrayIcon();
    DestroyWindow(ConfigDialog);
    return 0;
}
