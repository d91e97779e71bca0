// minimal_receiver.exe: the floor the benchmarks hold quellon.exe against.
// It runs the receiver loop on a thread of its own as the card maker's
// reminder expects it (stand in with a hidden "Trick Wnd", four application
// searches and the reminder search per pass, one message per pass) and
// answers a key press with the specified work and nothing more: find the
// key, write its name into a "Pressed Key" field of a hidden window that the
// main thread owns, post the key's "Send Message" slots from the profile.cfg
// in its folder. No tray, no OSD, no tick thread.
//   minimal_receiver.exe          waits for messages with a 50 ms time-out
//   minimal_receiver.exe sleep50  the plain PeekMessage / Sleep(50) loop
#include <windows.h>
#include <string.h>

#include "core/remote_keys.h"
#include "tests/bench/floor_bindings.h"

enum { RemoteKeyMessage = 0x0A00, TvWindowNotice = 0x0A01 };

enum { PressedKeyId = 1005 };

static HWND Dialog;    // stands for the Configuration dialog, hidden
static const char TrickClass[] = "Zorv@Video(^0^)";

struct VendorWindow {
    const char* windowClass;
    const char* title;
};
static const VendorWindow VendorWindows[] = {
    { "Zorv@Video(^0^)", "WinFast PVR" },
    { "Zorv@DVBT(^_^)", "WinFast DTV" },
    { "Zorv@DVBT(^_^)", "WinFast PVR2" },
    { MAKEINTATOM(0x8002), "WinFast FM" },
};

static LRESULT CALLBACK KeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RemoteKeyMessage) {
        int key = FindRemoteKey((int32_t)(uint32_t)wParam);
        if (key == NoRemoteKey) {
            SetDlgItemInt(Dialog, PressedKeyId, (UINT)wParam, FALSE);
        } else {
            SetDlgItemTextA(Dialog, PressedKeyId, RemoteKeyTable[key].name);
            IsWindowVisible(Dialog);
            RunSendMessageSlots(key);
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static DWORD WINAPI ReceiverThread(LPVOID arg)
{
    bool sleep50 = arg != NULL;
    HINSTANCE instance = GetModuleHandleA(NULL);
    WNDCLASSEXA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = KeyProc;
    wc.hInstance = instance;
    wc.lpszClassName = TrickClass;
    RegisterClassExA(&wc);

    HWND app = NULL, reminder = NULL, trick = NULL;
    for (;;) {
        if (!IsWindow(app))
            for (const VendorWindow& v : VendorWindows)
                if (IsWindow(app = FindWindowA(v.windowClass, v.title)))
                    break;
        if (!IsWindow(reminder))
            reminder = FindWindowA("WinFast Schedule Reminder", "WinFast Schedule Reminder");
        if (!IsWindow(app) && !IsWindow(trick)) {
            trick = CreateWindowExA(0, TrickClass, "Trick Wnd", 0, 0, 0, 10, 10, NULL, NULL, instance, NULL);
            SendMessageA(reminder, TvWindowNotice, 1, 0);
        } else if (IsWindow(app) && IsWindow(trick)) {
            DestroyWindow(trick);
        }
        MSG msg;
        if (PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            GetMessageA(&msg, NULL, 0, 0);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else if (sleep50) {
            Sleep(50);
        } else {
            MsgWaitForMultipleObjectsEx(0, NULL, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    bool sleep50 = strstr(commandLine, "sleep50") != NULL;
    LoadFloorBindings();
    Dialog = CreateWindowExA(0, "STATIC", "Minimal", WS_POPUP, 0, 0, 100, 100, NULL, NULL, instance, NULL);
    CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, Dialog,
                    (HMENU)(INT_PTR)PressedKeyId, instance, NULL);
    HANDLE thread = CreateThread(NULL, 0, ReceiverThread, sleep50 ? (LPVOID)1 : NULL, 0, NULL);
    if (thread)
        CloseHandle(thread);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
