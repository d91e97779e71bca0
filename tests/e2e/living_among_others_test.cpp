// quellon.exe among the other programs of an ordinary Windows day: the
// session ends under it, the user starts it again, a backup tool or a virus
// scanner holds its files while it starts.
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "tests/support/dialog_driver.h"
#include "tests/support/message_box.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"
#include "tests/support/standin.h"

namespace {

struct WindowsOf {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND w, LPARAM arg)
{
    WindowsOf* s = (WindowsOf*)arg;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == s->pid)
        s->found.push_back(w);
    return TRUE;
}

// Sends a message to every top-level window of the run, as Windows does at
// the end of the session; false when one did not answer within 5 s.
bool SendToEveryWindow(const QuellonRun& run, UINT message, WPARAM wParam, bool* allAnswerTrue = NULL)
{
    WindowsOf s = { run.pi.dwProcessId, {} };
    EnumWindows(CollectWindow, (LPARAM)&s);
    bool answered = !s.found.empty();
    for (HWND w : s.found) {
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutA(w, message, wParam, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &result) && answered;
        if (allAnswerTrue && !result)
            *allAnswerTrue = false;
    }
    return answered;
}

// VOL+ (key 3) posts WM_APP + 3 to the window of class "QuellonHeldTarget".
std::string ProfileBindingVolUp()
{
    std::string p(98304, '\0');
    int32_t type = 32, number = WM_APP + 3;
    memcpy(&p[3 * 2048], &type, 4);
    memcpy(&p[3 * 2048 + 388], "QuellonHeldTarget", 17);
    memcpy(&p[3 * 2048 + 500], &number, 4);
    return p;
}

HANDLE Held;
DWORD HoldMs;

DWORD WINAPI LetGoLater(LPVOID)
{
    Sleep(HoldMs);
    CloseHandle(Held);
    return 0;
}

}  // namespace

// Logging off with a slot just changed in the open Configuration dialog.
TEST(SessionEnd, BothFilesAreSavedAtOnceAndNothingIsAsked)
{
    for (bool saveFails : { false, true }) {
        QuellonRun run;
        ASSERT_TRUE(StartQuellon(&run));
        std::string profile = run.dir + "profile.cfg";
        if (saveFails)    // not a question of rights: the save fails where it is
            CreateDirectoryA((profile + ".tmp").c_str(), NULL);
        ShowWindow(run.config, SW_SHOW);
        ChooseListRow(run.config, 1000, 3);
        ChooseComboRow(run.config, 1002, 20);    // "VOL+" runs "Volume Up"
        BoxWatch* boxes = WatchMessageBoxes("ERROR");
        bool allowed = true;
        EXPECT_TRUE(SendToEveryWindow(run, WM_QUERYENDSESSION, 0, &allowed));
        EXPECT_TRUE(allowed);
        EXPECT_TRUE(SendToEveryWindow(run, WM_ENDSESSION, FALSE));    // cancelled
        EXPECT_FALSE(FileExists(profile)) << saveFails;
        EXPECT_TRUE(SendToEveryWindow(run, WM_ENDSESSION, TRUE)) << saveFails;
        TerminateProcess(run.pi.hProcess, 1);
        WaitProgram(&run.pi, 5000);
        EXPECT_EQ(0, StopWatchingMessageBoxes(boxes, NULL)) << saveFails;
        std::string saved;
        EXPECT_EQ(!saveFails, ReadWholeFile(profile, &saved));
        if (!saveFails) {
            ASSERT_EQ(98304u, saved.size());
            EXPECT_EQ(20, saved[3 * 2048]);
        }
        EXPECT_EQ(9u, NonBlankLines(run.dir + "settings.ini").size()) << saveFails;
        CleanUpQuellon(&run);
    }
}

// A second start shows the first copy's Configuration dialog and ends
// without a tray icon, a receiving window or a file of its own.
TEST(SecondStart, ShowsTheRunningCopysDialogAndEndsTouchingNothing)
{
    QuellonRun first;
    ASSERT_TRUE(StartQuellon(&first));
    ASSERT_TRUE(WaitForTrick(first) != NULL);
    EXPECT_FALSE(IsWindowVisible(first.config));
    std::string dir = MakeTempDir("second");
    ASSERT_TRUE(CopyFileA((ProductDir() + "quellon.exe").c_str(), (dir + "quellon.exe").c_str(), FALSE));
    PROCESS_INFORMATION second;
    ASSERT_TRUE(StartProgram("\"" + dir + "quellon.exe\"", dir, &second));
    EXPECT_EQ(0, WaitProgram(&second, 15000));
    KillProgram(&second);
    for (int i = 0; i < 200 && !IsWindowVisible(first.config); ++i)
        PumpMessagesFor(10);
    EXPECT_TRUE(IsWindowVisible(first.config));
    int tricks = 0;
    for (HWND w = NULL; (w = FindWindowExA(NULL, w, "Zorv@Video(^0^)", "Trick Wnd")) != NULL;)
        ++tricks;
    EXPECT_EQ(1, tricks);
    WIN32_FIND_DATAA fd;
    int entries = 0;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
    do
        entries += fd.cFileName[0] != '.';
    while (h != INVALID_HANDLE_VALUE && FindNextFileA(h, &fd));
    FindClose(h);
    EXPECT_EQ(1, entries);    // quellon.exe alone
    EXPECT_EQ(0, QuitQuellon(&first));
    CleanUpQuellon(&first);
    RemoveTree(dir);
}

// Another program holds a file while Quellon starts: a reader that lets
// others read, a lock of a moment, a lock that lasts. The file is never
// written over with less than it held.
TEST(HeldFiles, ReadWhenSharedOrReleasedInTimeElseKeptAndReported)
{
    struct Case {
        const char* file;
        DWORD share;
        DWORD holdMs;    // from the start; 0: until start-up is done
        bool bound;      // VOL+ runs its binding
        int reports;
    } cases[] = {
        { "profile.cfg", FILE_SHARE_READ, 0, true, 0 },
        { "profile.cfg", 0, 1500, true, 0 },
        { "profile.cfg", 0, 0, false, 1 },
        { "settings.ini", 0, 0, true, 1 },
    };
    for (const Case& c : cases) {
        std::string name = std::string(c.file) + " " + std::to_string(c.share) + " " + std::to_string(c.holdMs);
        QuellonRun run;
        run.dir = MakeTempDir("held");
        std::string path = run.dir + c.file;
        ASSERT_TRUE(WriteWholeFile(run.dir + "profile.cfg", ProfileBindingVolUp()));
        ASSERT_TRUE(WriteWholeFile(run.dir + "settings.ini", "[OSD]\r\nTimeout=4\r\n"));
        std::string before;
        ASSERT_TRUE(ReadWholeFile(path, &before));
        Held = CreateFileA(path.c_str(), GENERIC_READ, c.share, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, Held);
        HoldMs = c.holdMs;
        if (c.holdMs)
            CloseHandle(CreateThread(NULL, 0, LetGoLater, NULL, 0, NULL));
        BoxWatch* report = WatchMessageBoxes("Quellon");
        ASSERT_TRUE(StartQuellon(&run, run.dir)) << name;
        HWND trick = WaitForTrick(run);    // the files have been read by now
        ASSERT_TRUE(trick != NULL) << name;
        if (!c.holdMs)
            CloseHandle(Held);
        StandIn* target = CreateStandIn("QuellonHeldTarget", "Target");
        SendMessageA(trick, 0x0A00, 4, 0);    // VOL+
        PumpMessagesFor(200);
        EXPECT_EQ(c.bound ? 1 : 0, CountStandInMessages(target, WM_APP + 3)) << name;
        DestroyStandIn(target);
        PumpMessagesFor(c.reports ? 500 : 0);
        EXPECT_EQ(0, QuitQuellon(&run)) << name;
        std::string text, after;
        EXPECT_EQ(c.reports, StopWatchingMessageBoxes(report, &text)) << name;
        EXPECT_NE(std::string::npos, text.find(c.reports ? path : "")) << text;
        EXPECT_TRUE(ReadWholeFile(path, &after)) << name;
        EXPECT_TRUE(after == before) << name;
        CleanUpQuellon(&run);
    }
}
