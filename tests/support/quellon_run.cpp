// quellon.exe under test.
#include "tests/support/quellon_run.h"

#include "tests/support/debugger.h"
#include "tests/support/process.h"
#include "tests/support/standin.h"

struct DialogSearch {
    DWORD pid;
    HWND found;
};

static BOOL CALLBACK FindConfigDialog(HWND w, LPARAM arg)
{
    DialogSearch* s = (DialogSearch*)arg;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char title[64] = "";
    char cls[64] = "";
    GetWindowTextA(w, title, sizeof title);
    GetClassNameA(w, cls, sizeof cls);
    if (pid == s->pid && lstrcmpA(title, "Configuration") == 0 && lstrcmpA(cls, "#32770") == 0) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

static bool LaunchQuellon(QuellonRun* run, const std::string& dir, bool debugged)
{
    run->dir = dir.empty() ? MakeTempDir("app") : dir;
    run->config = NULL;
    run->mainThread = 0;
    run->faults = NULL;
    ZeroMemory(&run->pi, sizeof run->pi);
    std::string exe = run->dir + "quellon.exe";
    // A folder prepared with its own (one that cannot be written) keeps it.
    if (!FileExists(exe) && !CopyFileW(Utf16(ProductDir() + "quellon.exe").c_str(), Utf16(exe).c_str(), FALSE))
        return false;
    // Without profile.cfg the run starts with the first-run balloon.
    bool balloon = !FileExists(run->dir + "profile.cfg");
    std::string cmd = "\"" + exe + "\"";
    if (debugged)
        run->faults = StartUnderDebugger(cmd, run->dir, &run->pi);
    if (debugged ? run->faults == NULL : !StartProgram(cmd, run->dir, &run->pi))
        return false;
    DialogSearch s = { run->pi.dwProcessId, NULL };
    for (int i = 0; i < 1000 && !s.found; ++i) {
        EnumWindows(FindConfigDialog, (LPARAM)&s);
        if (!s.found)
            Sleep(10);
    }
    run->config = s.found;
    // The dialog is found while it is still being made: wait for the main loop.
    WaitForInputIdle(run->pi.hProcess, 10000);
    // Wine's tray shows the balloon in a window of its own, whose late focus
    // events cancel a mouse capture or a menu taken meanwhile (a button
    // clicked by BM_CLICK, the tray menu): let them pass first.
    if (balloon)
        Sleep(400);
    if (s.found)
        run->mainThread = GetWindowThreadProcessId(s.found, NULL);
    return s.found != NULL;
}

bool StartQuellon(QuellonRun* run, const std::string& dir)
{
    return LaunchQuellon(run, dir, false);
}

bool StartQuellonUnderDebugger(QuellonRun* run, const std::string& dir)
{
    return LaunchQuellon(run, dir, true);
}

int QuellonFaults(QuellonRun* run, std::string* report)
{
    int n = StopDebugger(run->faults, 20000, report);
    run->faults = NULL;
    return n;
}

long QuitQuellon(QuellonRun* run)
{
    PostThreadMessageA(run->mainThread, WM_QUIT, 0, 0);
    return WaitProgram(&run->pi, 20000);
}

void CleanUpQuellon(QuellonRun* run)
{
    KillProgram(&run->pi);
    QuellonFaults(run);
    RemoveTree(run->dir);
}

HWND FindWindowOfProcess(DWORD pid, const char* windowClass, const char* title)
{
    HWND w = NULL;
    while ((w = FindWindowExA(NULL, w, windowClass, title)) != NULL) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid)
            return w;
    }
    return NULL;
}

HWND FindTrickWindow(const QuellonRun& run)
{
    return FindWindowOfProcess(run.pi.dwProcessId, "Zorv@Video(^0^)", "Trick Wnd");
}

HWND WaitForTrick(const QuellonRun& run, bool present, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND w = FindTrickWindow(run);
        if (present && w)
            return w;
        if (!present && !w)
            return HWND_MESSAGE;
        if (GetTickCount() - start >= ms)
            return NULL;
        PumpMessagesFor(10);
    }
}

std::string ConfigControlText(const QuellonRun& run, int id)
{
    return WindowText(GetDlgItem(run.config, id));
}

// Read in UTF-16: it may name a program outside the ANSI code page.
static std::string PressedKeyNow(const QuellonRun& run)
{
    WCHAR wide[256] = L"";
    char text[1024] = "";
    SendMessageW(GetDlgItem(run.config, 1005), WM_GETTEXT, 256, (LPARAM)wide);
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, NULL, NULL);
    return text;
}

std::string PressedKeyText(const QuellonRun& run, const std::string& expected)
{
    std::string shown = PressedKeyNow(run);
    for (int i = 0; i < 200 && shown != expected; ++i) {
        Sleep(10);
        shown = PressedKeyNow(run);
    }
    return shown;
}
