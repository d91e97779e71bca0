// The first copy holds a mutex in the session's own namespace (copies of
// other users, switched away, run apart) and keeps its Configuration
// dialog's handle in shared memory of the same namespace.
#include "shell/single_copy.h"

#include <windows.h>
#include <tlhelp32.h>

#include "core/app_state.h"
#include "core/router.h"
#include "shell/tray.h"

static const char RunningMutexName[] = "Local\\Quellon.Running";
static const char DialogMemoryName[] = "Local\\Quellon.ConfigurationDialog";
static const char ShowMessageName[] = "Quellon.ShowConfiguration";

// How long a second start waits for a first one that is still starting.
enum { FirstCopyWaitMs = 10000, FirstCopyPollMs = 50 };

// Window handles are 32 bits wide in 32- and 64-bit programs alike.
static volatile LONG* SharedDialog;

static volatile LONG* MapDialogMemory(HANDLE memory, DWORD access)
{
    return memory ? (volatile LONG*)MapViewOfFile(memory, access, 0, 0, sizeof(LONG)) : NULL;
}

// Whether process pid runs an image named quellon.exe. The snapshot needs
// no access to the process itself, which an elevated one would refuse.
static bool IsQuellonProcess(DWORD pid)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry)) {
        found = entry.th32ProcessID == pid && lstrcmpiA(entry.szExeFile, "quellon.exe") == 0;
    }
    CloseHandle(snapshot);
    return found;
}

// Whether the window's class name or caption (as get reads it) is expected.
static bool HasText(HWND window, int (WINAPI* get)(HWND, LPSTR, int), const char* expected)
{
    char text[32];
    return get(window, text, sizeof text) && lstrcmpA(text, expected) == 0;
}

// Any program of this session can create the shared memory first and put
// any handle in it: only a Configuration dialog of a Quellon is told to show.
static bool IsQuellonConfigDialog(HWND window)
{
    DWORD pid = 0;
    return HasText(window, GetClassNameA, "#32770") && HasText(window, GetWindowTextA, "Configuration")
           && GetWindowThreadProcessId(window, &pid) && IsQuellonProcess(pid);
}

// The first copy's dialog, or NULL when it has not published it yet.
static HWND RunningCopyDialog()
{
    HANDLE memory = OpenFileMappingA(FILE_MAP_READ, FALSE, DialogMemoryName);
    volatile LONG* shared = MapDialogMemory(memory, FILE_MAP_READ);
    HWND dialog = shared ? (HWND)(LONG_PTR)*shared : NULL;
    if (shared)
        UnmapViewOfFile((void*)shared);
    if (memory)
        CloseHandle(memory);
    return dialog && IsQuellonConfigDialog(dialog) ? dialog : NULL;
}

bool HandOverToRunningCopy()
{
    // Never closed: the mutex and the memory end with the process.
    HANDLE running = CreateMutexA(NULL, FALSE, RunningMutexName);
    // A first copy that runs as administrator made the mutex for its own
    // token: this one may not open it, and cannot hand over either.
    if (!running && GetLastError() == ERROR_ACCESS_DENIED) {
        MessageBoxA(NULL, "Quellon already runs as administrator.", "Quellon",
                    MB_ICONINFORMATION | MB_SETFOREGROUND);
        return true;
    }
    if (!running)
        return false;    // no guard to be had: run all the same
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        HANDLE memory = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0,
                                           sizeof(LONG), DialogMemoryName);
        SharedDialog = MapDialogMemory(memory, FILE_MAP_WRITE);
        return false;
    }
    CloseHandle(running);
    HWND dialog = NULL;
    DWORD start = GetTickCount();
    while (!(dialog = RunningCopyDialog()) && GetTickCount() - start < FirstCopyWaitMs)
        Sleep(FirstCopyPollMs);
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
    if (SharedDialog)
        InterlockedExchange((LONG*)SharedDialog, (LONG)(LONG_PTR)ConfigDialog);
}
