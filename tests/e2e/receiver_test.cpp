// quellon.exe against stand-ins of the card maker's reminder and
// applications: when it stands in with its "Trick Wnd", when it steps aside,
// and which notices the reminder receives.
#include <gtest/gtest.h>
#include <string.h>

#include "tests/support/bound_keys.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"
#include "tests/support/standin.h"
#include "tests/support/threads.h"

namespace {

const char PvrClass[] = "Zorv@Video(^0^)";
const char DvbtClass[] = "Zorv@DVBT(^_^)";
const char ReminderName[] = "WinFast Schedule Reminder";
const UINT TvWindowNotice = 0x0A01;
const UINT FmWindowNotice = 0x0A02;

StandIn* StartReminder()
{
    return CreateStandIn(ReminderName, ReminderName);
}

// standin.exe: the window in a program of its own, which logs its messages.
std::string StandInCommand(const char* windowClass, const char* title, const std::string& dir)
{
    return "\"" + TestBinDir() + "standin.exe\" \"" + windowClass + "\" \"" + title + "\" \"" + dir +
           "standin.log\"";
}

void ExpectNotice(StandIn* reminder, UINT notice, int nth)
{
    RecordedMessage m;
    ASSERT_TRUE(GetStandInMessage(reminder, notice, nth, &m)) << notice << " #" << nth;
    EXPECT_EQ(1u, (unsigned)m.wParam);
    EXPECT_EQ(0, (int)m.lParam);
}

}  // namespace

TEST(Receiver, StandsInAndTellsTheReminderOnce)
{
    StandIn* reminder = StartReminder();
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    HWND trick = WaitForTrick(run);
    ASSERT_TRUE(trick != NULL);
    DWORD pid = 0;
    GetWindowThreadProcessId(trick, &pid);
    EXPECT_EQ(run.pi.dwProcessId, pid);
    EXPECT_FALSE(IsWindowVisible(trick));
    ASSERT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 1, 5000));
    ExpectNotice(reminder, TvWindowNotice, 0);
    PumpMessagesFor(400);    // about eight passes: no further notice
    EXPECT_EQ(1, CountStandInMessages(reminder, TvWindowNotice));
    EXPECT_EQ(0, CountStandInMessages(reminder, FmWindowNotice));
    EXPECT_EQ(trick, FindTrickWindow(run));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(reminder);
}

TEST(Receiver, StepsAsideForTheTvApplicationAndComesBack)
{
    StandIn* reminder = StartReminder();
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    ASSERT_TRUE(WaitForTrick(run) != NULL);
    ASSERT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 1, 5000));

    StandIn* pvr = CreateStandIn(PvrClass, "WinFast PVR");
    EXPECT_TRUE(WaitForTrick(run, false) != NULL);
    ASSERT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 2, 5000));
    ExpectNotice(reminder, TvWindowNotice, 1);

    DestroyStandIn(pvr);
    EXPECT_TRUE(WaitForTrick(run) != NULL);
    ASSERT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 3, 5000));
    ExpectNotice(reminder, TvWindowNotice, 2);
    EXPECT_EQ(0, CountStandInMessages(reminder, FmWindowNotice));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(reminder);
}

TEST(Receiver, StepsAsideForTheDvbtApplications)
{
    const char* titles[] = { "WinFast DTV", "WinFast PVR2" };
    for (const char* title : titles) {
        StandIn* reminder = StartReminder();
        QuellonRun run;
        ASSERT_TRUE(StartQuellon(&run));
        ASSERT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 1, 5000));
        StandIn* dvbt = CreateStandIn(DvbtClass, title);
        EXPECT_TRUE(WaitForTrick(run, false) != NULL) << title;
        EXPECT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 2, 5000)) << title;
        EXPECT_EQ(0, QuitQuellon(&run));
        CleanUpQuellon(&run);
        DestroyStandIn(dvbt);
        DestroyStandIn(reminder);
    }
}

TEST(Receiver, FmApplicationGetsItsOwnNotice)
{
    StandIn* reminder = StartReminder();
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    ASSERT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 1, 5000));

    StandIn* fm = CreateStandIn(NULL, "WinFast FM");    // a window of the dialog class
    EXPECT_TRUE(WaitForTrick(run, false) != NULL);
    ASSERT_TRUE(WaitForStandInMessages(reminder, FmWindowNotice, 1, 5000));
    ExpectNotice(reminder, FmWindowNotice, 0);
    EXPECT_EQ(1, CountStandInMessages(reminder, TvWindowNotice));

    DestroyStandIn(fm);
    EXPECT_TRUE(WaitForTrick(run) != NULL);
    ASSERT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 2, 5000));
    ExpectNotice(reminder, TvWindowNotice, 1);
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(reminder);
}

TEST(Receiver, TvWinsOverFmInTheSamePass)
{
    StandIn* reminder = StartReminder();
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    HWND trick = WaitForTrick(run);
    ASSERT_TRUE(trick != NULL);
    ASSERT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 1, 5000));
    // Both appear while the receiver is held between two passes.
    HANDLE receiver = SuspendWindowThread(trick);
    StandIn* fm = CreateStandIn(NULL, "WinFast FM");
    StandIn* pvr = CreateStandIn(PvrClass, "WinFast PVR");
    ResumeWindowThread(receiver);
    EXPECT_TRUE(WaitForTrick(run, false) != NULL);
    EXPECT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 2, 5000));
    PumpMessagesFor(200);
    EXPECT_EQ(0, CountStandInMessages(reminder, FmWindowNotice));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(pvr);
    DestroyStandIn(fm);
    DestroyStandIn(reminder);
}

TEST(Receiver, DvbtClassWithAnotherTitleIsIgnoredUntilItGetsALookedForTitle)
{
    StandIn* reminder = StartReminder();
    StandIn* other = CreateStandIn(DvbtClass, "Some Other Viewer");
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    HWND trick = WaitForTrick(run);
    ASSERT_TRUE(trick != NULL);
    ASSERT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 1, 5000));
    PumpMessagesFor(300);
    EXPECT_EQ(trick, FindTrickWindow(run));
    EXPECT_EQ(1, CountStandInMessages(reminder, TvWindowNotice));
    // No window event tells of a new title here: the safety search finds it.
    SetWindowTextA(StandInWindow(other), "WinFast DTV");
    EXPECT_TRUE(WaitForTrick(run, false) != NULL);
    EXPECT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 2, 5000));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(other);
    DestroyStandIn(reminder);
}

TEST(Receiver, ReminderStartedLaterHearsNothingUntilTheNextChange)
{
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    ASSERT_TRUE(WaitForTrick(run) != NULL);
    std::string dir = MakeTempDir("reminder");
    PROCESS_INFORMATION reminder;
    ASSERT_TRUE(StartProgram(StandInCommand(ReminderName, ReminderName, dir), dir, &reminder));
    ASSERT_TRUE(WaitForWindow(ReminderName, ReminderName, 5000) != NULL);
    std::string log = dir + "standin.log";
    PumpMessagesFor(400);
    EXPECT_FALSE(WaitForFileText(log, "2561 1 0", 0));
    StandIn* pvr = CreateStandIn(PvrClass, "WinFast PVR");
    EXPECT_TRUE(WaitForFileText(log, "2561 1 0", 5000));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(pvr);
    KillProgram(&reminder);
    RemoveTree(dir);
}

TEST(Receiver, MakerApplicationRunningAtStartMeansNoTrickWindow)
{
    StandIn* reminder = StartReminder();
    // The maker's application as a process of its own.
    std::string dir = MakeTempDir("pvr");
    PROCESS_INFORMATION app;
    ASSERT_TRUE(StartProgram(StandInCommand(PvrClass, "WinFast PVR", dir), dir, &app));
    ASSERT_TRUE(WaitForWindow(PvrClass, "WinFast PVR", 5000) != NULL);
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    PumpMessagesFor(500);
    EXPECT_TRUE(FindTrickWindow(run) == NULL);
    EXPECT_EQ(0, CountStandInMessages(reminder, TvWindowNotice));
    // The application ends: Quellon stands in and tells the reminder.
    PostMessageA(FindWindowA(PvrClass, "WinFast PVR"), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, WaitProgram(&app, 5000));
    EXPECT_TRUE(WaitForTrick(run) != NULL);
    EXPECT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 1, 5000));
    // Another starts while Quellon stands in, and ends again.
    ASSERT_TRUE(StartProgram(StandInCommand("#32770", "WinFast FM", dir), dir, &app));
    EXPECT_TRUE(WaitForTrick(run, false) != NULL);
    EXPECT_TRUE(WaitForStandInMessages(reminder, FmWindowNotice, 1, 5000));
    PostMessageA(WaitForWindow("#32770", "WinFast FM", 5000), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, WaitProgram(&app, 5000));
    EXPECT_TRUE(WaitForTrick(run) != NULL);
    EXPECT_TRUE(WaitForStandInMessages(reminder, TvWindowNotice, 2, 5000));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    RemoveTree(dir);
    DestroyStandIn(reminder);
}

TEST(Receiver, AReminderThatHangsWhenNotifiedStopsNoKeyAndNoExit)
{
    // The reminder as a program of its own that never returns from a notice.
    std::string dir = MakeTempDir("hungreminder");
    PROCESS_INFORMATION hung;
    ASSERT_TRUE(StartProgram(StandInCommand(ReminderName, ReminderName, dir) + " 0x0A01=hang", dir, &hung));
    ASSERT_TRUE(WaitForWindow(ReminderName, ReminderName, 5000) != NULL);
    const UINT Witness = WM_APP + 7;
    StandIn* witness = CreateStandIn("QuellonWitness", "");
    ClearBindings();
    ActionRecord& r = Binding(1, 0);
    r.type = 32;
    strcpy(r.windowClass, "QuellonWitness");
    r.number = Witness;
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run));
    // Each step aside and back notifies the hung reminder again.
    for (int round = 1; round <= 2; ++round) {
        DWORD start = GetTickCount();
        PressKey(run, 1);
        EXPECT_TRUE(WaitForStandInMessages(witness, Witness, round, 3000)) << "round " << round;
        EXPECT_LT(GetTickCount() - start, 2500u) << "round " << round;
        StandIn* pvr = CreateStandIn(PvrClass, "WinFast PVR");
        EXPECT_TRUE(WaitForTrick(run, false) != NULL) << "round " << round;
        DestroyStandIn(pvr);
        EXPECT_TRUE(WaitForTrick(run) != NULL) << "round " << round;
    }
    EXPECT_EQ(0, QuitQuellon(&run));
    EXPECT_EQ(ProfileSize, FileSize(run.dir + "profile.cfg"));
    std::string log;
    ReadWholeFile(dir + "standin.log", &log);
    EXPECT_NE(std::string::npos, log.find("2561 1 0")) << "the reminder was never notified";
    CleanUpQuellon(&run);
    KillProgram(&hung);
    RemoveTree(dir);
    DestroyStandIn(witness);
}
