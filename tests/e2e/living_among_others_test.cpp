// quellon.exe among the other programs of an ordinary Windows day: the
// session ends under it, the user starts it again, a backup tool or a virus
// scanner holds its files while it starts, its folder or the user's name is
// in another alphabet, its files are in two places.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/bound_keys.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/message_box.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"
#include "tests/support/standin.h"

namespace {

// To every top-level window of the run, as Windows does at the end of the
// session; false when one still there did not answer in 5 s (or, with
// allTrue, said 0).
bool SendToEveryWindow(const QuellonRun& run, UINT message, WPARAM wParam, bool allTrue = false,
                       LPARAM why = ENDSESSION_LOGOFF)
{
    bool ok = true;
    for (HWND w = NULL; (w = FindWindowExA(NULL, w, NULL, NULL)) != NULL;) {
        DWORD pid = 0;
        DWORD_PTR result = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == run.pi.dwProcessId)
            ok &= (SendMessageTimeoutA(w, message, wParam, why, SMTO_NORMAL, 5000, &result) &&
                   (result || !allTrue)) || !IsWindow(w);
    }
    return ok;
}

// Bindings in which VOL+ posts message to the stand-in, written daysOld ago.
void WriteVolumeUp(const std::string& path, UINT message, int daysOld)
{
    ClearBindings();
    Binding(3, 0) = ActionRecord{ 32, "", "", "QuellonFilesTarget", "", (int32_t)message, 0, 0 };
    ASSERT_TRUE(WriteWholeFile(path, std::string((const char*)&Binding(0, 0), ProfileSize)));
    HANDLE f = CreateFileW(Utf16(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    ULARGE_INTEGER t;
    GetSystemTimeAsFileTime((FILETIME*)&t);
    t.QuadPart -= daysOld * 864000000000ull;
    EXPECT_TRUE(SetFileTime(f, NULL, NULL, (FILETIME*)&t) && CloseHandle(f));
}

// Starts quellon.exe in run->dir; whether VOL+ reached the stand-in with message.
bool VolumeUpReaches(QuellonRun* run, UINT message)
{
    StandIn* target = CreateStandIn("QuellonFilesTarget", "Target");
    EXPECT_TRUE(StartQuellon(run, run->dir) && WaitForTrick(*run));
    PressKey(*run, 3);
    bool reached = WaitForStandInMessages(target, message, 1, 1000);
    DestroyStandIn(target);
    return reached;
}

HANDLE Held;
DWORD HoldMs;

DWORD WINAPI LetGoLater(LPVOID)
{
    Sleep(HoldMs);
    return CloseHandle(Held);
}

}  // namespace

// Logging off with a slot just changed in the open Configuration dialog and
// settings.ini gone bad meanwhile: the bindings are saved, nobody is asked,
// and Windows ends the process. Closed for an update (by the Restart
// Manager) instead, Quellon saves them again and ends itself with 0.
TEST(SessionEnd, BothFilesAreSavedAtOnceAndNothingIsAsked)
{
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    std::string profile = run.dir + "profile.cfg", saved;
    ASSERT_TRUE(CreateDirectoryA((run.dir + "settings.ini").c_str(), NULL));
    ShowWindow(run.config, SW_SHOW);
    ChooseListRow(run.config, 1000, 3);
    ChooseComboRow(run.config, 1002, 20);    // "VOL+" runs "Volume Up"
    EXPECT_TRUE(SendToEveryWindow(run, WM_QUERYENDSESSION, 0, true));
    EXPECT_TRUE(SendToEveryWindow(run, WM_ENDSESSION, FALSE));
    EXPECT_FALSE(FileExists(profile));
    EXPECT_TRUE(SendToEveryWindow(run, WM_ENDSESSION, TRUE));    // no message box waits
    EXPECT_EQ(-1, WaitProgram(&run.pi, 500));
    ASSERT_TRUE(ReadWholeFile(profile, &saved) && saved.size() == 98304);
    EXPECT_EQ(20, saved[3 * 2048]);
    ASSERT_TRUE(DeleteFileA(profile.c_str()));
    EXPECT_TRUE(SendToEveryWindow(run, WM_QUERYENDSESSION, 0, true, ENDSESSION_CLOSEAPP));
    EXPECT_TRUE(SendToEveryWindow(run, WM_ENDSESSION, TRUE, false, ENDSESSION_CLOSEAPP));
    EXPECT_EQ(0, WaitProgram(&run.pi, 2000));
    ASSERT_TRUE(ReadWholeFile(profile, &saved) && saved.size() == 98304);
    EXPECT_EQ(20, saved[3 * 2048]);
    CleanUpQuellon(&run);
}

// A second start shows the first copy's Configuration dialog and ends
// without a receiving window or a file of its own.
TEST(SecondStart, ShowsTheRunningCopysDialogAndEndsTouchingNothing)
{
    QuellonRun first, second;
    ASSERT_TRUE(StartQuellon(&first));
    ASSERT_TRUE(WaitForTrick(first) != NULL);
    second.dir = MakeTempDir("second");
    ASSERT_TRUE(CopyFileA((ProductDir() + "quellon.exe").c_str(), (second.dir + "quellon.exe").c_str(), FALSE));
    ASSERT_TRUE(StartProgram("\"" + second.dir + "quellon.exe\"", second.dir, &second.pi));
    EXPECT_EQ(0, WaitProgram(&second.pi, 15000));
    for (int i = 0; i < 200 && !IsWindowVisible(first.config); ++i)
        PumpMessagesFor(10);
    EXPECT_TRUE(IsWindowVisible(first.config));
    HWND trick = FindWindowA("Zorv@Video(^0^)", "Trick Wnd");
    EXPECT_TRUE(trick == FindTrickWindow(first) && !FindWindowExA(NULL, trick, "Zorv@Video(^0^)", "Trick Wnd"));
    EXPECT_FALSE(FileExists(second.dir + "settings.ini") || FileExists(second.dir + "profile.cfg"));
    EXPECT_EQ(0, QuitQuellon(&first));
    CleanUpQuellon(&first);
    CleanUpQuellon(&second);
}

// Another program holds a file while Quellon starts: a reader that lets
// others read, a lock of a moment, a lock that lasts. The file is never
// written over with less than it held; a lasting lock is reported once.
TEST(HeldFiles, ReadWhenSharedOrReleasedInTimeElseKeptAndReported)
{
    struct Case {
        const char* file;
        DWORD share, holdMs;    // holdMs 0: until start-up is done
        int bound, reports;     // VOL+ runs its binding; boxes naming the file
    } cases[] = {
        { "profile.cfg", FILE_SHARE_READ, 0, 1, 0 },
        { "profile.cfg", 0, 1500, 1, 0 },
        { "profile.cfg", 0, 0, 0, 1 },
        { "settings.ini", 0, 0, 1, 1 },
    };
    for (const Case& c : cases) {
        QuellonRun run;
        run.dir = MakeTempDir("held");
        std::string path = run.dir + c.file, before, after, text;
        ClearBindings();    // VOL+ (key 3) posts WM_APP + 3 to the target
        Binding(3, 0) = ActionRecord{ 32, "", "", "QuellonHeldTarget", "", WM_APP + 3, 0, 0 };
        ASSERT_TRUE(WriteWholeFile(run.dir + "profile.cfg", std::string((char*)&Binding(0, 0), ProfileSize)));
        ASSERT_TRUE(WriteWholeFile(run.dir + "settings.ini", "[OSD]\r\nTimeout=4\r\n"));
        ASSERT_TRUE(ReadWholeFile(path, &before));
        Held = CreateFileA(path.c_str(), GENERIC_READ, c.share, NULL, OPEN_EXISTING, 0, NULL);
        HoldMs = c.holdMs;
        if (c.holdMs)
            CloseHandle(CreateThread(NULL, 0, LetGoLater, NULL, 0, NULL));
        BoxWatch* report = WatchMessageBoxes("Quellon");
        ASSERT_TRUE(StartQuellon(&run, run.dir)) << c.file << c.holdMs;
        WaitForTrick(run);    // both files have been read by now
        if (!c.holdMs)
            CloseHandle(Held);
        StandIn* target = CreateStandIn("QuellonHeldTarget", "Target");
        PressKey(run, 3);
        PumpMessagesFor(700);
        EXPECT_EQ(c.bound, CountStandInMessages(target, WM_APP + 3)) << c.file << c.holdMs;
        DestroyStandIn(target);
        EXPECT_EQ(0, QuitQuellon(&run)) << c.file << c.holdMs;
        EXPECT_EQ(c.reports, StopWatchingMessageBoxes(report, &text)) << c.file << c.holdMs;
        EXPECT_NE(std::string::npos, text.find(c.reports ? path : "")) << text;
        EXPECT_TRUE(ReadWholeFile(path, &after) && after == before) << c.file << c.holdMs;
        CleanUpQuellon(&run);
    }
}

TEST(ProgramFolder, NamedOutsideTheAnsiCodePageReadsAndSavesTheBindings)
{
    QuellonRun run;
    run.dir = MakeTempDir(u8"Программы");    // not in code page 1252: '?' to the A functions
    WriteVolumeUp(run.dir + "profile.cfg", WM_APP, 0);
    BoxWatch* boxes = WatchMessageBoxes("Quellon");
    EXPECT_TRUE(VolumeUpReaches(&run, WM_APP));
    ChooseListRow(run.config, 1000, 3);
    ChooseComboRow(run.config, 1002, 20);    // "VOL+" runs "Volume Up"
    EXPECT_EQ(0, QuitQuellon(&run));
    ASSERT_TRUE(StartQuellon(&run, run.dir));
    ChooseListRow(run.config, 1000, 3);
    EXPECT_EQ("Volume Up", ComboSelection(run.config, 1002));
    EXPECT_EQ(0, QuitQuellon(&run));
    EXPECT_EQ(0, StopWatchingMessageBoxes(boxes, NULL));    // no file was unreadable
    CleanUpQuellon(&run);
}

// Both copies of profile.cfg, one a month older; a read-only settings.ini
// beside the program sends the saves to the user's folder. Row 4: beside the
// program only the profile.cfg.tmp of a save cut between delete and rename.
TEST(NewestCopy, TheCopyWrittenLastHoldsTheBindingsWhereverSavesGo)
{
    char appData[MAX_PATH] = "";
    ASSERT_TRUE(GetEnvironmentVariableA("APPDATA", appData, sizeof appData) > 0);
    const std::string user = std::string(appData) + "\\Quellon\\";
    for (int row = 0; row < 5; ++row) {
        bool programNewer = row & 1, savesBesideProgram = row & 2;
        QuellonRun run;
        run.dir = MakeTempDir("newest");
        CreateDirectoryA(user.c_str(), NULL);
        WriteVolumeUp(run.dir + (row == 4 ? "profile.cfg.tmp" : "profile.cfg"), WM_APP + 1, programNewer ? 0 : 30);
        WriteVolumeUp(user + "profile.cfg", WM_APP + 2, programNewer ? 30 : 0);
        std::string settings = run.dir + "settings.ini", saved, other;
        if (!savesBesideProgram)
            SetFileAttributesA(settings.c_str(), WriteWholeFile(settings, "") ? FILE_ATTRIBUTE_READONLY : 0);
        UINT newest = programNewer ? WM_APP + 1 : WM_APP + 2;
        EXPECT_TRUE(VolumeUpReaches(&run, newest)) << row;
        EXPECT_EQ(0, QuitQuellon(&run));
        ReadWholeFile((savesBesideProgram ? run.dir : user) + "profile.cfg", &saved);
        ReadWholeFile((savesBesideProgram ? user : run.dir) + "profile.cfg", &other);
        ASSERT_EQ(ProfileSize * 2, (int)(saved.size() + other.size())) << row;    // none deleted
        EXPECT_EQ((int32_t)newest, ((const ActionRecord*)saved.data())[3 * SlotsPerKey].number) << row;
        CleanUpQuellon(&run);
        RemoveTree(user);
    }
}
