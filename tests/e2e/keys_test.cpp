// Key presses sent to quellon.exe as the card maker's reminder sends them,
// and what a run leaves in its program folder.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include "core/profile.h"
#include "res/resource.h"
#include "tests/support/bound_keys.h"
#include "tests/support/message_box.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"
#include "tests/support/registry.h"
#include "tests/support/standin.h"

namespace {

const UINT BoundMessage = WM_APP + 9;
const UINT RemoteKeyMessage = 0x0A00;

// A profile in which VOL+ (key 3) posts BoundMessage to a "QuellonE2ETarget"
// window and every other slot holds recognisable stale bytes.
std::string PreparedProfile()
{
    static KeyActions keys[RemoteKeyCount];
    memset(keys, 0, sizeof keys);
    for (int k = 0; k < RemoteKeyCount; ++k)
        for (int s = 0; s < SlotsPerKey; ++s)
            memset(keys[k].slot[s].programPath, 'a' + (k + s) % 26, 40);    // type 0: never run
    ActionRecord& r = keys[3].slot[2];
    r.type = 32;
    strcpy(r.windowClass, "QuellonE2ETarget");
    r.number = BoundMessage;
    r.wParam = 77;
    r.lParam = 88;
    return std::string((const char*)keys, sizeof keys);
}

}  // namespace

TEST(Keys, ReminderKeyPressRunsTheBoundSlotAndShowsTheKey)
{
    StandIn* target = CreateStandIn("QuellonE2ETarget", "Any Title");
    QuellonRun run;
    run.dir = MakeTempDir("keys");
    ASSERT_TRUE(WriteWholeFile(run.dir + "profile.cfg", PreparedProfile()));
    ASSERT_TRUE(StartQuellon(&run, run.dir));
    HWND trick = WaitForTrick(run);
    ASSERT_TRUE(trick != NULL);

    SendMessageA(trick, RemoteKeyMessage, 4, 0);
    ASSERT_TRUE(WaitForStandInMessages(target, BoundMessage, 1, 5000));
    RecordedMessage m;
    ASSERT_TRUE(GetStandInMessage(target, BoundMessage, 0, &m));
    EXPECT_EQ(77u, (unsigned)m.wParam);
    EXPECT_EQ(88, (int)m.lParam);
    EXPECT_EQ("VOL+", PressedKeyText(run, "VOL+"));

    SendMessageA(trick, RemoteKeyMessage, 21, 0);
    EXPECT_EQ("21", PressedKeyText(run, "21"));
    SendMessageA(trick, RemoteKeyMessage, (WPARAM)(DWORD)-1, 0);
    EXPECT_EQ("4294967295", PressedKeyText(run, "4294967295"));
    SendMessageA(trick, RemoteKeyMessage, 0, 0);    // POWER, with no maker software installed
    EXPECT_EQ("POWER", PressedKeyText(run, "POWER"));
    PumpMessagesFor(100);
    EXPECT_EQ(1, CountStandInMessages(target, BoundMessage));

    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(target);
}

// A program slow to come up (a media centre that loads for seconds before
// it reads its first message) holds neither the reminder's send nor the
// next key: that key's message arrives while the program still sleeps.
// POWER starts it as the maker's TV application, key 1 as "Execute Program".
TEST(Keys, ProgramSlowToComeUpHoldsNoKey)
{
    std::string apps = MakeTempDir("slow");
    std::string tv = apps + "WFTV.exe";
    ASSERT_TRUE(CopyFileA((TestBinDir() + "slow_start.exe").c_str(), tv.c_str(), FALSE));
    ClearVendorRegistry();
    SetVendorPath("WFTV", apps.substr(0, apps.size() - 1));
    ClearBindings();
    ActionRecord& program = Binding(1, 0);
    program.type = 31;
    lstrcpynA(program.programPath, tv.c_str(), sizeof program.programPath);
    strcpy(program.parameters, "4000");
    ActionRecord& next = Binding(2, 0);
    next.type = 32;
    strcpy(next.windowClass, "QuellonE2ETarget");
    next.number = BoundMessage;
    StandIn* target = CreateStandIn("QuellonE2ETarget", "Target");
    HANDLE reading = CreateEventA(NULL, TRUE, FALSE, "QuellonSlowStartReading");
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run));

    const int starters[] = { -1, 1 };    // POWER (code 0), then key 1
    for (int i = 0; i < 2; ++i) {
        ResetEvent(reading);
        PressKey(run, starters[i]);
        PressKey(run, 2);
        ASSERT_TRUE(WaitForStandInMessages(target, BoundMessage, i + 1, 20000));
        EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(reading, 0)) << "starter " << starters[i];
        EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(reading, 20000)) << "never started";
    }

    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(target);
    CloseHandle(reading);
    ClearVendorRegistry();
    Sleep(200);    // the stand-in program ends after its first message
    RemoveTree(apps);
}

TEST(Keys, QuitSavesTheProfileUnchangedAndExitsWithZero)
{
    QuellonRun run;
    run.dir = MakeTempDir("quit");
    std::string profile = PreparedProfile();
    ASSERT_TRUE(WriteWholeFile(run.dir + "profile.cfg", profile));
    ASSERT_TRUE(StartQuellon(&run, run.dir));
    EXPECT_EQ(0, QuitQuellon(&run));
    std::string saved;
    ASSERT_TRUE(ReadWholeFile(run.dir + "profile.cfg", &saved));
    EXPECT_EQ(profile.size(), saved.size());
    EXPECT_TRUE(profile == saved);
    EXPECT_FALSE(FileExists(run.dir + "profile.cfg.tmp"));
    CleanUpQuellon(&run);
}

TEST(Keys, FirstRunCreatesAnEmptyProfile)
{
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    EXPECT_EQ(0, QuitQuellon(&run));
    std::string saved;
    ASSERT_TRUE(ReadWholeFile(run.dir + "profile.cfg", &saved));
    EXPECT_TRUE(std::string(ProfileSize, '\0') == saved);
    CleanUpQuellon(&run);
}

// Marked read-only while it runs, as a limited user's file is: kept, and
// the bindings saved in the user's own folder instead, without a word.
TEST(Keys, ProfileThatMayNotBeReplacedAtExitIsKeptAndSavedInTheUserFolder)
{
    QuellonRun run;
    run.dir = MakeTempDir("nosave");
    std::string profile = PreparedProfile(), user = std::string(getenv("APPDATA")) + "\\Quellon\\";
    ASSERT_TRUE(WriteWholeFile(run.dir + "profile.cfg", profile));
    ASSERT_TRUE(StartQuellon(&run, run.dir));
    SetFileAttributesA((run.dir + "profile.cfg").c_str(), FILE_ATTRIBUTE_READONLY);
    BoxWatch* watch = WatchMessageBoxes("ERROR");
    EXPECT_EQ(0, QuitQuellon(&run));
    EXPECT_EQ(0, StopWatchingMessageBoxes(watch, NULL));
    std::string saved;
    ASSERT_TRUE(ReadWholeFile(run.dir + "profile.cfg", &saved));
    EXPECT_TRUE(profile == saved);
    EXPECT_TRUE(ReadWholeFile(user + "profile.cfg", &saved) && profile == saved);
    DeleteFileA((user + "profile.cfg").c_str());
    RemoveDirectoryA(user.c_str());
    CleanUpQuellon(&run);
}

TEST(Keys, RunsFromTheRootOfADrive)
{
    // The test script maps Q: to an empty folder of the build: ProgramDir is then "Q:\".
    ASSERT_NE((UINT)DRIVE_NO_ROOT_DIR, GetDriveTypeA("Q:\\")) << "Q: is not mapped: run tools/test.sh";
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run, "Q:\\"));
    EXPECT_TRUE(WaitForTrick(run) != NULL);
    EXPECT_EQ(0, QuitQuellon(&run));
    EXPECT_EQ(ProfileSize, FileSize("Q:\\profile.cfg"));
    EXPECT_TRUE(FileExists("Q:\\settings.ini"));
    KillProgram(&run.pi);
    DeleteFileA("Q:\\profile.cfg");
    DeleteFileA("Q:\\settings.ini");
    DeleteFileA("Q:\\quellon.exe");
}
