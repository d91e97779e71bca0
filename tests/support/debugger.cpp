// Debugger loop: CreateProcess with DEBUG_ONLY_THIS_PROCESS, then
// WaitForDebugEvent / ContinueDebugEvent until the process exits. Every
// exception is passed back to the program unhandled, so that it behaves as
// it would without us; fatal ones are counted on their first chance.
#include "tests/support/debugger.h"

#include <stdio.h>

#include "tests/support/process.h"

struct FaultWatch {
    std::string commandLine;
    std::string dir;
    PROCESS_INFORMATION pi;
    HANDLE process;    // our own handle: the caller closes those in pi
    bool started;
    HANDLE ready;
    HANDLE thread;
    volatile LONG faults;
    char report[2048];
};

bool IsFatalException(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
    case 0xC0000374:    // heap corruption
    case 0xC0000409:    // stack buffer overrun (fast fail)
        return true;
    default:
        return false;
    }
}

static void NoteFault(FaultWatch* w, const EXCEPTION_DEBUG_INFO& e, DWORD threadId)
{
    InterlockedIncrement(&w->faults);
    size_t used = strlen(w->report);
    if (used + 80 < sizeof w->report)
        _snprintf(w->report + used, sizeof w->report - used,
                  "exception 0x%08lX at %p (thread %lu)\n",
                  (unsigned long)e.ExceptionRecord.ExceptionCode,
                  e.ExceptionRecord.ExceptionAddress, (unsigned long)threadId);
}

static DWORD WINAPI DebuggerThread(LPVOID arg)
{
    FaultWatch* w = (FaultWatch*)arg;
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    std::string cmd = w->commandLine;
    w->started = CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, DEBUG_ONLY_THIS_PROCESS, NULL,
                                w->dir.empty() ? NULL : w->dir.c_str(), &si, &w->pi) != FALSE;
    if (w->started) {
        AttachToTestJob(w->pi.hProcess);
        DuplicateHandle(GetCurrentProcess(), w->pi.hProcess, GetCurrentProcess(), &w->process, 0,
                        FALSE, DUPLICATE_SAME_ACCESS);
    }
    SetEvent(w->ready);
    if (!w->started)
        return 0;
    for (;;) {
        DEBUG_EVENT ev;
        if (!WaitForDebugEvent(&ev, INFINITE))
            return 0;
        DWORD status = DBG_CONTINUE;
        switch (ev.dwDebugEventCode) {
        case EXCEPTION_DEBUG_EVENT: {
            DWORD code = ev.u.Exception.ExceptionRecord.ExceptionCode;
            // Breakpoints (the loader's first one, 32-bit ones under WoW64) are ours to pass.
            if (code != EXCEPTION_BREAKPOINT && code != 0x4000001F) {
                status = DBG_EXCEPTION_NOT_HANDLED;
                if (ev.u.Exception.dwFirstChance && IsFatalException(code))
                    NoteFault(w, ev.u.Exception, ev.dwThreadId);
            }
            break;
        }
        case CREATE_PROCESS_DEBUG_EVENT:
            if (ev.u.CreateProcessInfo.hFile)
                CloseHandle(ev.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (ev.u.LoadDll.hFile)
                CloseHandle(ev.u.LoadDll.hFile);
            break;
        default:
            break;
        }
        ContinueDebugEvent(ev.dwProcessId, ev.dwThreadId, status);
        if (ev.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
            return 0;
    }
}

FaultWatch* StartUnderDebugger(const std::string& commandLine, const std::string& dir,
                               PROCESS_INFORMATION* pi)
{
    FaultWatch* w = new FaultWatch();
    w->commandLine = commandLine;
    w->dir = dir;
    w->ready = CreateEventA(NULL, TRUE, FALSE, NULL);
    w->thread = CreateThread(NULL, 0, DebuggerThread, w, 0, NULL);
    WaitForSingleObject(w->ready, 30000);
    if (!w->started) {
        WaitForSingleObject(w->thread, 10000);
        CloseHandle(w->thread);
        CloseHandle(w->ready);
        delete w;
        return NULL;
    }
    *pi = w->pi;
    return w;
}

int StopDebugger(FaultWatch* w, DWORD ms, std::string* report)
{
    if (!w)
        return 0;
    if (WaitForSingleObject(w->thread, ms) != WAIT_OBJECT_0) {
        TerminateProcess(w->process, 98);
        WaitForSingleObject(w->thread, 10000);
    }
    CloseHandle(w->process);
    CloseHandle(w->thread);
    CloseHandle(w->ready);
    int n = (int)w->faults;
    if (report)
        *report = w->report;
    delete w;
    return n;
}
