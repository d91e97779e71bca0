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
// Manager) instead, Quellon saves the slot changed again and ends itself with 0.
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
    ChooseComboRow(run.config, 1002, 21);    // "Volume Down"
    EXPECT_TRUE(SendToEveryWindow(run, WM_QUERYENDSESSION, 0, true, ENDSESSION_CLOSEAPP));
    EXPECT_TRUE(SendToEveryWindow(run, WM_ENDSESSION, TRUE, false, ENDSESSION_CLOSEAPP));
    EXPECT_EQ(0, WaitProgram(&run.pi, 2000));
    ASSERT_TRUE(ReadWholeFile(profile, &saved) && saved.size() == 98304);
    EXPECT_EQ(21, saved[3 * 2048]);
    CleanUpQuellon(&run);
}

// The shell's notification area keeps Quellon waiting while it adds its
// icon, as at sign-in, and the session ends meanwhile: nothing has been read
// yet, so nothing is written.
TEST(SessionEnd, EndedWhileTheIconIsAddedLeavesBothFilesAsTheyWere)
{
    QuellonRun run;
    run.dir = MakeTempDir("busytray");
    std::string profile = run.dir + "profile.cfg", settings = run.dir + "settings.ini", before[2], after[2];
    WriteVolumeUp(profile, WM_APP, 0);
    ASSERT_TRUE(WriteWholeFile(settings, "[OSD]\r\nTimeout=4\r\n"));
    ReadWholeFile(profile, &before[0]);
    ReadWholeFile(settings, &before[1]);
    // A notification area in a program of its own, found before Wine's,
    // that never answers the icon's WM_COPYDATA (74).
    PROCESS_INFORMATION tray;
    std::string log = run.dir + "tray.log";
    ASSERT_TRUE(StartProgram("\"" + TestBinDir() + "standin.exe\" Shell_TrayWnd \"\" \"" + log + "\" 74=hang",
                             run.dir, &tray));
    for (int i = 0; i < 500 && !FindWindowOfProcess(tray.dwProcessId, "Shell_TrayWnd", ""); ++i)
        Sleep(10);
    ASSERT_TRUE(StartQuellon(&run, run.dir));
    EXPECT_TRUE(SendToEveryWindow(run, WM_QUERYENDSESSION, 0, true));
    EXPECT_TRUE(SendToEveryWindow(run, WM_ENDSESSION, TRUE));
    EXPECT_TRUE(ReadWholeFile(profile, &after[0]) && after[0] == before[0]);
    EXPECT_TRUE(ReadWholeFile(settings, &after[1]) && after[1] == before[1]);
    std::string messages;
    EXPECT_TRUE(ReadWholeFile(log, &messages) && ("\n" + messages).find("\n74 ") != std::string::npos);
    KillProgram(&tray);    // the icon, on its way meanwhile, goes on
    CleanUpQuellon(&run);
}

// Another program rewrites both files while Quellon runs: they are kept at
// the exit and at a log-off; a binding the user changed meanwhile is saved.
TEST(ChangedUnderUs, FilesRewrittenByAnotherProgramAreKeptUnlessTheUserChangedThem)
{
    for (int row = 0; row < 3; ++row) {
        bool logOff = row == 1, userEdits = row == 2;
        QuellonRun run;
        run.dir = MakeTempDir("rewritten");
        std::string profile = run.dir + "profile.cfg", settings = run.dir + "settings.ini", theirs[2], after[2];
        WriteVolumeUp(profile, WM_APP, 0);
        ASSERT_TRUE(WriteWholeFile(settings, "[OSD]\r\nTimeout=4\r\n"));
        ASSERT_TRUE(StartQuellon(&run, run.dir) && WaitForTrick(run));
        if (userEdits) {
            ShowWindow(run.config, SW_SHOW);
            ChooseListRow(run.config, 1000, 3);
            ChooseComboRow(run.config, 1002, 20);    // "VOL+" runs "Volume Up"
        }
        WriteVolumeUp(profile, WM_APP + 1, 0);
        ASSERT_TRUE(WriteWholeFile(settings, "[OSD]\r\nTimeout=5\r\n"));
        ReadWholeFile(profile, &theirs[0]);
        ReadWholeFile(settings, &theirs[1]);
        if (logOff)
            EXPECT_TRUE(SendToEveryWindow(run, WM_QUERYENDSESSION, 0, true) &&
                        SendToEveryWindow(run, WM_ENDSESSION, TRUE));
        else
            EXPECT_EQ(0, QuitQuellon(&run));
        ASSERT_TRUE(ReadWholeFile(profile, &after[0]) && after[0].size() == 98304) << row;
        EXPECT_EQ(userEdits ? 20 : 32, after[0][3 * 2048]) << row;    // "Volume Up", or theirs as they wrote it
        EXPECT_EQ(!userEdits, after[0] == theirs[0]) << row;
        EXPECT_TRUE(ReadWholeFile(settings, &after[1]) && after[1] == theirs[1]) << row;
        CleanUpQuellon(&run);
    }
}

// A second start shows the first copy's Configuration dialog and ends
// without a receiving window or a file of its own.
// Each row: the second copy's file name, as a browser names a second download.
TEST(SecondStart, ShowsTheRunningCopysDialogAndEndsTouchingNothing)
{
    for (const char* name : { "quellon.exe", "quellon (1).exe" }) {
        QuellonRun first, second;
        ASSERT_TRUE(StartQuellon(&first));
        ASSERT_TRUE(WaitForTrick(first) != NULL);
        second.dir = MakeTempDir("second");
        std::string exe = second.dir + name;
        ASSERT_TRUE(CopyFileA((ProductDir() + "quellon.exe").c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(StartProgram("\"" + exe + "\"", second.dir, &second.pi));
        EXPECT_EQ(0, WaitProgram(&second.pi, 15000)) << name;
        for (int i = 0; i < 200 && !IsWindowVisible(first.config); ++i)
            PumpMessagesFor(10);
        EXPECT_TRUE(IsWindowVisible(first.config)) << name;
        HWND trick = FindWindowA("Zorv@Video(^0^)", "Trick Wnd");
        EXPECT_TRUE(trick == FindTrickWindow(first) && !FindWindowExA(NULL, trick, "Zorv@Video(^0^)", "Trick Wnd"));
        EXPECT_FALSE(FileExists(second.dir + "settings.ini") || FileExists(second.dir + "profile.cfg"));
        EXPECT_EQ(0, QuitQuellon(&first));
        CleanUpQuellon(&first);
        CleanUpQuellon(&second);
    }
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

// The user's own copy of profile.cfg, and beside the program a copy a year
// newer (writable, or read-only), or that copy alone, read-only: the
// user's copy acts when there is one, and no copy is written over at exit;
// the program folder's copy alone is read, and saved as the user's own.
TEST(UsersOwnCopy, ActsWhateverLiesBesideTheProgramAndNoCopyIsWrittenOver)
{
    char appData[MAX_PATH] = "";
    ASSERT_TRUE(GetEnvironmentVariableA("APPDATA", appData, sizeof appData) > 0);
    const std::string user = std::string(appData) + "\\Quellon\\";
    for (int row = 0; row < 3; ++row) {
        QuellonRun run;
        run.dir = MakeTempDir("own");
        std::string program = run.dir + "profile.cfg", programBytes, userBytes, after;
        WriteVolumeUp(program, WM_APP + 1, -365);
        ReadWholeFile(program, &programBytes);
        if (row < 2) {
            CreateDirectoryA(user.c_str(), NULL);
            WriteVolumeUp(user + "profile.cfg", WM_APP + 2, 30);
        }
        if (row > 0)
            SetFileAttributesA(program.c_str(), FILE_ATTRIBUTE_READONLY);
        bool own = ReadWholeFile(user + "profile.cfg", &userBytes);
        EXPECT_TRUE(VolumeUpReaches(&run, own ? WM_APP + 2 : WM_APP + 1)) << row;
        EXPECT_EQ(0, QuitQuellon(&run));
        EXPECT_TRUE(ReadWholeFile(program, &after) && after == programBytes) << row;
        EXPECT_TRUE(ReadWholeFile(user + "profile.cfg", &after) && after == (own ? userBytes : programBytes)) << row;
        SetFileAttributesA(program.c_str(), FILE_ATTRIBUTE_NORMAL);
        CleanUpQuellon(&run);
        RemoveTree(user);
    }
}
