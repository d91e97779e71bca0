// standin.exe: a window of a given class and title in a process of its own,
// standing in for the card maker's software or a controlled program.
//   standin.exe CLASS TITLE LOGFILE [MESSAGE=REPLY ...]
// CLASS "#32770" makes a window of the system dialog class. Every message
// received is appended to LOGFILE as "message wParam lParam" (decimal).
// MESSAGE=fault makes that message write through a null pointer, the way a
// broken window procedure would; MESSAGE=hang makes it never return from
// that message, the way a program that stopped answering does. WM_CLOSE
// ends the program.
#include <windows.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static FILE* Log;
static WNDPROC BaseProc;
static UINT ReplyMessages[16];
static LRESULT ReplyValues[16];
static int ReplyCount;
static UINT FaultMessage;
static UINT HangMessage;

static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (Log) {
        fprintf(Log, "%u %lu %ld\n", m, (unsigned long)wp, (long)lp);
        fflush(Log);
    }
    if (FaultMessage && m == FaultMessage)
        *(volatile int*)(uintptr_t)lp = 1;    // lParam 0: an access violation
    if (HangMessage && m == HangMessage)
        Sleep(INFINITE);
    for (int i = 0; i < ReplyCount; ++i)
        if (ReplyMessages[i] == m)
            return ReplyValues[i];
    if (m == WM_CLOSE) {
        DestroyWindow(w);
        return 0;
    }
    if (m == WM_DESTROY)
        PostQuitMessage(0);
    return BaseProc ? CallWindowProcA(BaseProc, w, m, wp, lp) : DefWindowProcA(w, m, wp, lp);
}

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    Log = fopen(argv[3], "a");
    for (int i = 4; i < argc && ReplyCount < 16; ++i) {
        const char* eq = strchr(argv[i], '=');
        if (!eq)
            continue;
        if (strcmp(eq + 1, "fault") == 0) {
            FaultMessage = (UINT)strtoul(argv[i], NULL, 0);
            continue;
        }
        if (strcmp(eq + 1, "hang") == 0) {
            HangMessage = (UINT)strtoul(argv[i], NULL, 0);
            continue;
        }
        ReplyMessages[ReplyCount] = (UINT)strtoul(argv[i], NULL, 0);
        ReplyValues[ReplyCount++] = (LRESULT)strtol(eq + 1, NULL, 0);
    }
    HINSTANCE self = GetModuleHandleA(NULL);
    HWND w;
    if (strcmp(argv[1], "#32770") == 0) {
        w = CreateWindowExA(0, MAKEINTATOM(0x8002), argv[2], WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                            self, NULL);
        BaseProc = (WNDPROC)SetWindowLongPtrA(w, GWLP_WNDPROC, (LONG_PTR)Proc);
    } else {
        WNDCLASSA wc;
        ZeroMemory(&wc, sizeof wc);
        wc.lpfnWndProc = Proc;
        wc.hInstance = self;
        wc.lpszClassName = argv[1];
        RegisterClassA(&wc);
        w = CreateWindowExA(0, argv[1], argv[2], WS_POPUP, 0, 0, 10, 10, NULL, NULL, self, NULL);
    }
    if (!w)
        return 3;
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (Log)
        fclose(Log);
    return 0;
}
