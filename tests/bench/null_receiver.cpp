// null_receiver.exe: the platform's own cost of a key press, the lowest
// floor the benchmarks hold quellon.exe against. It registers the
// impersonation class, keeps one "Trick Wnd" of it and waits in GetMessage;
// a key press is answered by finding the key and posting the key's
// "Send Message" slots from the profile.cfg in its folder. No searches for
// the maker's applications, no notices, no "Pressed Key" field, no tray.
#include <windows.h>

#include "core/remote_keys.h"
#include "tests/bench/floor_bindings.h"

enum { RemoteKeyMessage = 0x0A00 };

static LRESULT CALLBACK KeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RemoteKeyMessage) {
        int key = FindRemoteKey((int32_t)(uint32_t)wParam);
        if (key != NoRemoteKey)
            RunSendMessageSlots(key);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    LoadFloorBindings();
    WNDCLASSEXA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = KeyProc;
    wc.hInstance = instance;
    wc.lpszClassName = "Zorv@Video(^0^)";
    RegisterClassExA(&wc);
    CreateWindowExA(0, wc.lpszClassName, "Trick Wnd", 0, 0, 0, 10, 10, NULL, NULL, instance, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
