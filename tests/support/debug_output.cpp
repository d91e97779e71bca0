// The viewer's side of the debug-output buffer: a writer takes the mutex,
// waits for "buffer ready", puts its process id and text into the buffer
// and signals "data ready".
#include <windows.h>
#include <string.h>

#include "tests/support/debug_output.h"

struct DebugOutputCapture {
    HANDLE mutex;
    HANDLE mapping;
    HANDLE bufferReady;
    HANDLE dataReady;
    HANDLE stop;
    HANDLE thread;
    const char* view;
    CRITICAL_SECTION lock;
    std::vector<std::string> lines;
};

enum { DebugBufferSize = 4096 };

static DWORD WINAPI CollectLines(LPVOID arg)
{
    DebugOutputCapture* c = (DebugOutputCapture*)arg;
    HANDLE waits[2] = { c->stop, c->dataReady };
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        DWORD pid = *(const DWORD*)c->view;
        if (pid == GetCurrentProcessId()) {
            const char* text = c->view + sizeof(DWORD);
            EnterCriticalSection(&c->lock);
            c->lines.push_back(std::string(text, strnlen(text, DebugBufferSize - sizeof(DWORD))));
            LeaveCriticalSection(&c->lock);
        }
        SetEvent(c->bufferReady);
    }
    return 0;
}

DebugOutputCapture* StartDebugOutputCapture()
{
    DebugOutputCapture* c = new DebugOutputCapture();
    InitializeCriticalSection(&c->lock);
    c->mutex = CreateMutexA(NULL, FALSE, "DBWinMutex");
    c->mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, DebugBufferSize,
                                    "DBWIN_BUFFER");
    c->view = (const char*)MapViewOfFile(c->mapping, FILE_MAP_READ, 0, 0, 0);
    c->bufferReady = CreateEventA(NULL, FALSE, TRUE, "DBWIN_BUFFER_READY");
    c->dataReady = CreateEventA(NULL, FALSE, FALSE, "DBWIN_DATA_READY");
    c->stop = CreateEventA(NULL, TRUE, FALSE, NULL);
    c->thread = CreateThread(NULL, 0, CollectLines, c, 0, NULL);
    return c;
}

std::vector<std::string> StopDebugOutputCapture(DebugOutputCapture* c, size_t count, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        EnterCriticalSection(&c->lock);
        size_t have = c->lines.size();
        LeaveCriticalSection(&c->lock);
        if (have >= count || GetTickCount() - start >= ms)
            break;
        Sleep(5);
    }
    SetEvent(c->stop);
    WaitForSingleObject(c->thread, 5000);
    std::vector<std::string> lines = c->lines;
    UnmapViewOfFile(c->view);
    HANDLE handles[6] = { c->thread, c->stop, c->dataReady, c->bufferReady, c->mapping, c->mutex };
    for (HANDLE h : handles)
        CloseHandle(h);
    DeleteCriticalSection(&c->lock);
    delete c;
    return lines;
}
