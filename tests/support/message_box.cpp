// Message-box watcher: a thread that finds boxes by caption and presses OK.
#include "tests/support/message_box.h"

#include <windows.h>

#include "tests/support/process.h"

struct BoxWatch {
    char caption[128];
    volatile LONG stop;
    HANDLE thread;
    int closed;
    std::string lastText;
};

static DWORD WINAPI WatchThread(LPVOID arg)
{
    BoxWatch* w = (BoxWatch*)arg;
    while (!w->stop) {
        HWND box = FindWindowA(MAKEINTATOM(0x8002), w->caption);
        if (box && IsWindowVisible(box)) {
            w->lastText = WindowText(GetDlgItem(box, 0xFFFF));    // the box's text control
            SendMessageA(box, WM_COMMAND, IDOK, 0);
            ++w->closed;
            // Wait until it is gone so that one box is not counted twice.
            for (int i = 0; i < 500 && IsWindow(box); ++i)
                Sleep(10);
        }
        Sleep(10);
    }
    return 0;
}

BoxWatch* WatchMessageBoxes(const char* caption)
{
    BoxWatch* w = new BoxWatch();
    lstrcpynA(w->caption, caption, sizeof w->caption);
    w->thread = CreateThread(NULL, 0, WatchThread, w, 0, NULL);
    return w;
}

int StopWatchingMessageBoxes(BoxWatch* w, std::string* lastText)
{
    InterlockedExchange(&w->stop, 1);
    WaitForSingleObject(w->thread, 10000);
    CloseHandle(w->thread);
    int n = w->closed;
    if (lastText)
        *lastText = w->lastText;
    delete w;
    return n;
}
