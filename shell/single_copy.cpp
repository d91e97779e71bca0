// The first copy owns a mutex in the session's own namespace (copies of
// other users, switched away, run apart) and keeps its Configuration
// dialog's handle and its process id in shared memory of the same
// namespace. A later start knows it by these, whatever its file is named.
#include "shell/single_copy.h"

#include <windows.h>

#include "core/app_state.h"
#include "core/router.h"
#include "shell/tray.h"

static const char RunningMutexName[] = "Local\\Quellon.Running";
static const char DialogMemoryName[] = "Local\\Quellon.ConfigurationDialog";
static const char ShowMessageName[] = "Quellon.ShowConfiguration";

// How long a second start waits for a first one that is still starting.
enum { FirstCopyWaitMs = 10000, FirstCopyPollMs = 50 };

// Window handles are 32 bits wide in 32- and 64-bit programs alike.
struct SharedRecord {
    LONG dialog;
    LONG processId;
};
static volatile SharedRecord* Shared;
// Owned by the main thread of the first copy until it has saved its files.
static HANDLE RunningMutex;

static volatile SharedRecord* MapDialogMemory(HANDLE memory, DWORD access)
{
    return memory ? (volatile SharedRecord*)MapViewOfFile(memory, access, 0, 0, sizeof(SharedRecord))
                  : NULL;
}

// Whether the window's class name or caption (as get reads it) is expected.
static bool HasText(HWND window, int (WINAPI* get)(HWND, LPSTR, int), const char* expected)
{
    char text[32];
    return get(window, text, sizeof text) && lstrcmpA(text, expected) == 0;
}

// A handle left over or put there by anyone else is no Quellon: only a
// Configuration dialog of the process that published it is told to show.
static bool IsPublishedConfigDialog(HWND window, DWORD publisher)
{
    DWORD pid = 0;
    return HasText(window, GetClassNameA, "#32770") && HasText(window, GetWindowTextA, "Configuration")
           && GetWindowThreadProcessId(window, &pid) && pid == publisher;
}

// The first copy's dialog, or NULL while it has not published it (starting)
// or has taken it back (ending).
static HWND RunningCopyDialog()
{
    HANDLE memory = OpenFileMappingA(FILE_MAP_READ, FALSE, DialogMemoryName);
    volatile SharedRecord* shared = MapDialogMemory(memory, FILE_MAP_READ);
    HWND dialog = shared ? (HWND)(LONG_PTR)shared->dialog : NULL;
    DWORD publisher = shared ? (DWORD)shared->processId : 0;
    if (shared)
        UnmapViewOfFile((void*)shared);
    if (memory)
        CloseHandle(memory);
    return dialog && IsPublishedConfigDialog(dialog, publisher) ? dialog : NULL;
}

// This copy is the first: it owns the mutex, and makes the memory.
static bool BecomeFirstCopy(HANDLE running)
{
    RunningMutex = running;
    HANDLE memory = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0,
                                       sizeof(SharedRecord), DialogMemoryName);
    Shared = MapDialogMemory(memory, FILE_MAP_WRITE);
    return false;
}

bool HandOverToRunningCopy()
{
    // Never closed: the memory ends with the process, the mutex is let go
    // once the files are saved, or ends with it.
    HANDLE running = CreateMutexA(NULL, TRUE, RunningMutexName);
    // A first copy that runs as administrator made the mutex for its own
    // token: this one may not open it, and cannot hand over either.
    if (!running && GetLastError() == ERROR_ACCESS_DENIED) {
        MessageBoxA(NULL, "Quellon already runs as administrator.", "Quellon",
                    MB_ICONINFORMATION | MB_SETFOREGROUND);
        return true;
    }
    if (!running)
        return false;    // no guard to be had: run all the same
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return BecomeFirstCopy(running);
    // The first copy is starting (no dialog yet), running, or ending (its
    // dialog taken back): the mutex comes free when it has ended, and this
    // copy is then the first.
    HWND dialog = NULL;
    DWORD start = GetTickCount();
    while (!(dialog = RunningCopyDialog()) && GetTickCount() - start < FirstCopyWaitMs) {
        DWORD waited = WaitForSingleObject(running, FirstCopyPollMs);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED)
            return BecomeFirstCopy(running);
    }
    CloseHandle(running);
    if (dialog) {
        // We were started by the user and may hand the foreground on.
        DWORD pid = 0;
        GetWindowThreadProcessId(dialog, &pid);
        AllowSetForegroundWindow(pid);
        PostMessageA(dialog, RegisterWindowMessageA(ShowMessageName), 0, 0);
    }
    return true;
}

static int ShowForSecondStart()
{
    ShowConfigDialog();
    return 1;
}

void PublishConfigDialog()
{
    UINT show = RegisterWindowMessageA(ShowMessageName);
    if (show)
        AddRoute(ConfigDialog, show, 0, 0, ShowForSecondStart);
    if (Shared) {
        InterlockedExchange((LONG*)&Shared->processId, (LONG)GetCurrentProcessId());
        InterlockedExchange((LONG*)&Shared->dialog, (LONG)(LONG_PTR)ConfigDialog);
    }
}

void TakeBackConfigDialog()
{
    if (Shared)
        InterlockedExchange((LONG*)&Shared->dialog, 0);
}

void LetNextCopyRun()
{
    if (RunningMutex)
        ReleaseMutex(RunningMutex);
}
