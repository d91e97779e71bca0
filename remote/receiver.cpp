// Receiver thread and the handshake with the card maker's reminder process.
#include "remote/receiver.h"

#include <windows.h>

#include "platform/peer_send.h"
#include "core/remote_owner.h"
#include "remote/key_press.h"

const char ImpersonationClass[] = "Zorv@Video(^0^)";
const char TrickWindowTitle[] = "Trick Wnd";
const char ReminderName[] = "WinFast Schedule Reminder";

// The maker's applications, in search order. 0x8002 is the system dialog class.
struct VendorWindow {
    const char* windowClass;
    const char* title;
};

static const VendorWindow TvWindows[] = {
    { "Zorv@Video(^0^)", "WinFast PVR" },
    { "Zorv@DVBT(^_^)", "WinFast DTV" },
    { "Zorv@DVBT(^_^)", "WinFast PVR2" },
};
static const VendorWindow FmWindow = { MAKEINTATOM(0x8002), "WinFast FM" };

enum { NoVendorApp = 0, VendorTvApp = 1, VendorFmApp = 2 };

// The thread learns of windows that appear from window events and of
// applications that end from their process handles, so that an idle
// program does not wake. A full pass still runs once a second: some
// events never come (under Wine, name changes and other processes'
// destructions), and a title may be set after its window was created.
// Where a pass must repeat (a "Trick Wnd" that could not be created), or
// no window events can be had at all, passes run every 50 ms.
enum { SafetyPassMs = 1000, RetryPassMs = 50 };

// Owned by the receiver thread alone.
static HWND AppWindow;
static HWND ReminderWindow;
static HWND TrickWindow;
static int VendorAppKind;
static bool TrickCreationFailed;
static bool EventsHooked;
static bool PassWanted = true;    // the first pass runs at once

// Set by the main thread as the program ends; the stand-in is then removed
// and not made again, and the event says so.
static volatile LONG StandInEnded;
static HANDLE StandInGone;
static DWORD ReceiverThreadId;

// The process of the application window, and that of the reminder window:
// its handle is signalled when the process ends.
struct WatchedProcess {
    HWND window;
    HANDLE process;
    bool ended;    // signalled while the system still listed its window
};
static WatchedProcess WatchedApp;
static WatchedProcess WatchedReminder;

void RegisterImpersonationClass()
{
    WNDCLASSEXA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = KeyPressWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = ImpersonationClass;
    RegisterClassExA(&wc);
}

static void SearchVendorApp()
{
    for (const VendorWindow& w : TvWindows) {
        AppWindow = FindWindowA(w.windowClass, w.title);
        if (IsWindow(AppWindow)) {
            VendorAppKind = VendorTvApp;
            return;
        }
    }
    AppWindow = FindWindowA(FmWindow.windowClass, FmWindow.title);
    if (IsWindow(AppWindow))
        VendorAppKind = VendorFmApp;
}

// A reminder that stops answering must not stop the remote's own window.
static void Notify(UINT notice)
{
    SendToPeer(ReminderWindow, notice, 1, 0, NULL);
}

static void StandInOrStepAside()
{
    TrickCreationFailed = false;
    if (StandInEnded)
        return;
    if (!IsWindow(AppWindow)) {
        if (!IsWindow(TrickWindow)) {
            TrickWindow = CreateWindowExA(0, ImpersonationClass, TrickWindowTitle, 0, 0, 0, 10, 10,
                                          NULL, NULL, GetModuleHandleA(NULL), NULL);
            TrickCreationFailed = TrickWindow == NULL;
            Notify(TvWindowNotice);
        }
    } else if (IsWindow(TrickWindow)) {
        DestroyWindow(TrickWindow);
        TrickWindow = NULL;    // a later window may be given the same handle
        if (IsWindow(ReminderWindow)) {
            if (VendorAppKind == VendorTvApp)
                Notify(TvWindowNotice);
            else if (VendorAppKind == VendorFmApp)
                Notify(FmWindowNotice);
        }
    }
}

// One pass: the searches that are due, then stand in or step aside.
static void RunPass()
{
    VendorAppKind = NoVendorApp;
    if (!IsWindow(AppWindow))
        SearchVendorApp();
    if (!IsWindow(ReminderWindow))
        ReminderWindow = FindWindowA(ReminderName, ReminderName);
    StandInOrStepAside();
    NoteVendorAppRunning(IsWindow(AppWindow) != FALSE);    // the tray's tooltip
}

// Keeps a handle on the process of window, opened anew when the window
// changes. Without one (none found, or the process may not be opened) the
// window's end is left to the window events and the safety pass.
static void Watch(WatchedProcess* w, HWND window)
{
    if (w->window == window)
        return;
    if (w->process)
        CloseHandle(w->process);
    w->window = window;
    w->process = NULL;
    w->ended = false;
    DWORD pid = 0;
    if (window && GetWindowThreadProcessId(window, &pid) && pid != GetCurrentProcessId())
        w->process = OpenProcess(SYNCHRONIZE, FALSE, pid);
}

static void ProcessEnded(WatchedProcess* w)
{
    CloseHandle(w->process);
    w->process = NULL;
    w->ended = true;
    PassWanted = true;
}

// Whether a window of this class may be one of the table's. The dialog
// class of "WinFast FM" is named "#32770".
static bool IsLookedForClass(HWND window)
{
    char name[64];
    if (!GetClassNameA(window, name, sizeof name))
        return false;
    bool match = lstrcmpiA(name, ReminderName) == 0 || lstrcmpiA(name, "#32770") == 0;
    for (const VendorWindow& w : TvWindows)
        match = match || lstrcmpiA(name, w.windowClass) == 0;
    return match;
}

// Runs on this thread while it takes its messages, inside any wait for
// them, even within a send: it only asks for a pass. The pass then looks
// for every window of the table in order, whichever of them the event was
// about, so that the search order decides as it always did.
static void CALLBACK WindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD, DWORD)
{
    if (!window || object != OBJID_WINDOW || child != CHILDID_SELF)
        return;
    if (event == EVENT_OBJECT_DESTROY) {
        // The window is gone: only its handle can be compared.
        if (window == AppWindow || window == ReminderWindow)
            PassWanted = true;
        return;
    }
    // At its creation a window may not have its title yet: the class
    // decides, and the pass compares titles.
    if (IsLookedForClass(window) && GetAncestor(window, GA_ROOT) == window)
        PassWanted = true;
}

static void HookWindowEvents()
{
    const DWORD flags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
    // Creation, destruction and showing are neighbours: one hook.
    EventsHooked = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, NULL, WindowEvent,
                                   0, 0, flags) != NULL;
    SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, NULL, WindowEvent, 0, 0,
                    flags);
}

// When the thread next has work of its own besides taking messages, in ms
// from now (0: at once); this is the one place that decides it. A pass is
// due when an event asked for one, else after its interval: short while a
// pass must repeat (a "Trick Wnd" that could not be created, no window
// events to be had, a watched process ended while the system still listed
// its window). The key path may have work before that.
static DWORD PassDueIn(DWORD lastPass)
{
    if (PassWanted)
        return 0;
    bool retry = TrickCreationFailed || !EventsHooked || WatchedApp.ended || WatchedReminder.ended;
    DWORD interval = retry ? RetryPassMs : SafetyPassMs;
    DWORD elapsed = GetTickCount() - lastPass;
    return elapsed < interval ? interval - elapsed : 0;
}

static DWORD WorkDueIn(DWORD lastPass)
{
    DWORD pass = PassDueIn(lastPass);
    DWORD press = KeyWorkDueInMs();
    return press < pass ? press : pass;
}

// Handles at most one message. With none waiting it waits until a message
// or window event comes, a watched process ends, or work is due.
static void PumpOneMessage(DWORD lastPass)
{
    MSG msg;
    if (PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
        GetMessageA(&msg, NULL, 0, 0);    // a WM_QUIT does not end the thread
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        return;
    }
    DWORD due = WorkDueIn(lastPass);    // an event taken in by PeekMessageA may ask for a pass
    if (due == 0)
        return;
    WatchedProcess* const all[2] = { &WatchedApp, &WatchedReminder };
    WatchedProcess* watched[2] = { NULL, NULL };
    HANDLE handles[2];
    DWORD count = 0;
    for (WatchedProcess* w : all)
        if (w->process) {
            watched[count] = w;
            handles[count++] = w->process;
        }
    DWORD r = MsgWaitForMultipleObjectsEx(count, handles, due, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (r < WAIT_OBJECT_0 + count)
        ProcessEnded(watched[r - WAIT_OBJECT_0]);
}

static DWORD WINAPI ReceiverThread(LPVOID)
{
    RegisterImpersonationClass();
    HookWindowEvents();    // before the first pass, so that no window slips between
    DWORD lastPass = 0;
    for (;;) {
        if (StandInEnded) {
            if (TrickWindow)
                DestroyWindow(TrickWindow);
            TrickWindow = NULL;
            SetEvent(StandInGone);
        }
        // Someone else may have closed the "Trick Wnd" (our own window: no server call).
        if (TrickWindow && !IsWindow(TrickWindow))
            PassWanted = true;
        if (PassDueIn(lastPass) == 0) {
            PassWanted = false;
            RunPass();
            Watch(&WatchedApp, AppWindow);
            Watch(&WatchedReminder, ReminderWindow);
            lastPass = GetTickCount();
        }
        if (KeyWorkDueInMs() == 0)
            DoKeyWork();
        PumpOneMessage(lastPass);
    }
}

void StartReceiverThread()
{
    StandInGone = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE thread = CreateThread(NULL, 0, ReceiverThread, NULL, 0, &ReceiverThreadId);
    if (thread)
        CloseHandle(thread);    // the thread lives on; nobody waits for it
}

void EndStandIn(DWORD ms)
{
    InterlockedExchange(&StandInEnded, 1);
    // Wakes the thread from its wait for messages; a thread message
    // reaches no window.
    if (ReceiverThreadId && PostThreadMessageA(ReceiverThreadId, WM_NULL, 0, 0) && StandInGone)
        WaitForSingleObject(StandInGone, ms);
}
