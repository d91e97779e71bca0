// Receiver thread and the handshake with the card maker's reminder process.
#include "remote/receiver.h"

#include <windows.h>

#include "core/peer_send.h"
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

// Owned by the receiver thread alone.
static HWND AppWindow;
static HWND ReminderWindow;
static HWND TrickWindow;
static int VendorAppKind;

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
    if (!IsWindow(AppWindow)) {
        if (!IsWindow(TrickWindow)) {
            TrickWindow = CreateWindowExA(0, ImpersonationClass, TrickWindowTitle, 0, 0, 0, 10, 10,
                                          NULL, NULL, GetModuleHandleA(NULL), NULL);
            Notify(TvWindowNotice);
        }
    } else if (IsWindow(TrickWindow)) {
        DestroyWindow(TrickWindow);
        if (IsWindow(ReminderWindow)) {
            if (VendorAppKind == VendorTvApp)
                Notify(TvWindowNotice);
            else if (VendorAppKind == VendorFmApp)
                Notify(FmWindowNotice);
        }
    }
}

// Handles at most one message. With none waiting it waits up to 50 ms, but
// wakes as soon as the reminder sends or posts a key press.
static void PumpOneMessage()
{
    MSG msg;
    if (PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
        GetMessageA(&msg, NULL, 0, 0);    // a WM_QUIT does not end the thread
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    } else {
        MsgWaitForMultipleObjectsEx(0, NULL, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

static DWORD WINAPI ReceiverThread(LPVOID)
{
    RegisterImpersonationClass();
    for (;;) {
        VendorAppKind = NoVendorApp;
        if (!IsWindow(AppWindow))
            SearchVendorApp();
        if (!IsWindow(ReminderWindow))
            ReminderWindow = FindWindowA(ReminderName, ReminderName);
        StandInOrStepAside();
        PumpOneMessage();
    }
}

void StartReceiverThread()
{
    HANDLE thread = CreateThread(NULL, 0, ReceiverThread, NULL, 0, NULL);
    if (thread)
        CloseHandle(thread);    // the thread lives on; nobody waits for it
}
