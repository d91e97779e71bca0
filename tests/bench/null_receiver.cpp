// null_receiver.exe: the platform's own cost of a key press, the lowest
// floor the benchmarks hold quellon.exe against. It registers the
// impersonation class, keeps one "Trick Wnd" of it and waits in GetMessage;
// a key press is answered by finding the key and posting the key's
// "Send Message" slots from the profile.cfg in its folder. No searches for
// the maker's applications, no notices, no "Pressed Key" field, no tray.
#include <windows.h>

#include "actions/message.h"
#include "core/profile.h"
#include "core/text.h"

enum { RemoteKeyMessage = 0x0A00, SendMessageType = 32 };

static KeyActions Bindings[RemoteKeyCount];

static LRESULT CALLBACK KeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RemoteKeyMessage) {
        int key = FindRemoteKey((int32_t)(uint32_t)wParam);
        if (key != NoRemoteKey)
            for (const ActionRecord& r : Bindings[key].slot) {
                if (r.type != SendMessageType)
                    continue;
                char cls[WindowClassWidth], name[WindowNameWidth];
                ReadField(cls, sizeof cls, r.windowClass);
                ReadField(name, sizeof name, r.windowName);
                PostToWindow(cls, name[0] ? name : NULL, (uint32_t)r.number, (uint32_t)r.wParam,
                             (uint32_t)r.lParam);
            }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    HANDLE f = CreateFileA("profile.cfg", GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD got = 0;
        ReadFile(f, Bindings, sizeof Bindings, &got, NULL);
        CloseHandle(f);
    }
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
