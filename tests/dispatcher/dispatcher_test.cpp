// The dispatcher: which executor each slot reaches, with which arguments, in
// which order, and what ActiveFlag and key 0 change.
#include <gtest/gtest.h>
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "core/active.h"
#include "core/profile.h"
#include "remote/dispatch.h"
#include "tests/dispatcher/recorders.h"
#include "tests/support/test_window.h"

namespace {

void ResetAll()
{
    memset(Profile, 0, sizeof Profile);
    CallLog.clear();
    ActiveFlag = 1;
}

std::vector<std::string> RunKey(int k)
{
    CallLog.clear();
    ExecuteKeyActions(k);
    return CallLog;
}

std::vector<std::string> RunSingleSlot(int32_t type)
{
    ResetAll();
    Profile[9].slot[0].type = type;
    return RunKey(9);
}

}  // namespace

TEST(Dispatcher, EveryCatalogueRowReachesItsOperation)
{
    struct Row { int32_t type; const char* call; } rows[] = {
        { 1, "WinampCommand(40044)" }, { 2, "WinampCommand(40045)" },
        { 3, "WinampCommand(40047)" }, { 4, "WinampCommand(40046)" },
        { 5, "WinampCommand(40048)" }, { 6, "WinampCommand(40058)" },
        { 7, "WinampCommand(40059)" }, { 8, "WinampCommand(40060)" },
        { 9, "WinampCommand(40061)" }, { 10, "WinampCommand(252)" },
        { 11, "WinampCommand(253)" }, { 12, "WinampCommand(16)" },
        { 13, "MediaPlayerCommand(13)" }, { 14, "MediaPlayerCommand(14)" },
        { 15, "MediaPlayerCommand(15)" }, { 16, "MediaPlayerCommand(16)" },
        { 17, "MediaPlayerCommand(17)" }, { 18, "MediaPlayerCommand(18)" },
        { 19, "MediaPlayerCommand(19)" }, { 20, "VolumeCommand(1)" },
        { 21, "VolumeCommand(0)" }, { 22, "MouseCommand(0)" }, { 23, "MouseCommand(1)" },
        { 24, "MouseCommand(2)" }, { 25, "MouseCommand(3)" }, { 26, "MouseCommand(4)" },
        { 27, "MouseCommand(5)" }, { 28, "ExitSystem(8)" }, { 29, "ExitSystem(2)" },
        { 30, "LockComputer()" }, { 33, "SetMonitorPower(2)" }, { 34, "SetMonitorPower(-1)" },
        { 35, "MediaPlayerCommand(35)" }, { 36, "MediaPlayerCommand(36)" },
        { 61, "MouseCommand(6)" }, { 62, "MediaPlayerCommand(62)" },
        { 63, "MediaPlayerCommand(63)" }, { 64, "VolumeCommand(-1)" }, { 65, "ShowClock()" },
    };
    for (const Row& row : rows) {
        std::vector<std::string> calls = RunSingleSlot(row.type);
        ASSERT_EQ(1u, calls.size()) << "type " << row.type;
        EXPECT_EQ(row.call, calls[0]) << "type " << row.type;
    }
    for (int32_t type = 37; type <= 59; ++type) {
        std::vector<std::string> calls = RunSingleSlot(type);
        ASSERT_EQ(1u, calls.size()) << "type " << type;
        EXPECT_EQ("TvAppCommand(" + std::to_string(type) + ")", calls[0]);
    }
}

TEST(Dispatcher, ExecuteProgramPassesPathAndParameters)
{
    ResetAll();
    ActionRecord& r = Profile[4].slot[0];
    r.type = 31;
    strcpy(r.programPath, "C:\\Tools\\player.exe");
    strcpy(r.parameters, "/play");
    strcpy(r.windowClass, "IgnoredClass");    // left over from an earlier edit
    ActionRecord& empty = Profile[4].slot[1];
    empty.type = 31;
    strcpy(empty.programPath, "calc.exe");
    std::vector<std::string> calls = RunKey(4);
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("RunProgram(C:\\Tools\\player.exe|/play)", calls[0]);
    EXPECT_EQ("RunProgram(calc.exe|)", calls[1]);
}

TEST(Dispatcher, SendMessagePassesClassNameAndNumbers)
{
    ResetAll();
    ActionRecord& r = Profile[6].slot[0];
    r.type = 32;
    strcpy(r.windowClass, "Notepad");
    strcpy(r.windowName, "Untitled");
    r.number = 0x111;
    r.wParam = 40001;
    r.lParam = -1;
    ActionRecord& anyTitle = Profile[6].slot[1];
    anyTitle.type = 32;
    anyTitle.number = 16;    // empty class is passed as an empty text, empty name as none
    std::vector<std::string> calls = RunKey(6);
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("PostToWindow(Notepad|Untitled|273|40001|4294967295)", calls[0]);
    EXPECT_EQ("PostToWindow(|<none>|16|0|0)", calls[1]);
}

TEST(Dispatcher, UnterminatedTextsAreCutToTheirField)
{
    ResetAll();
    ActionRecord& r = Profile[6].slot[0];
    r.type = 32;
    memset(r.windowClass, 'C', WindowClassWidth);    // no terminator anywhere
    memset(r.windowName, 'N', WindowNameWidth);
    ActionRecord& p = Profile[6].slot[1];
    p.type = 31;
    memset(p.programPath, 'P', ProgramPathWidth);
    memset(p.parameters, 'Q', ParametersWidth);
    std::vector<std::string> calls = RunKey(6);
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("PostToWindow(" + std::string(47, 'C') + "|" + std::string(63, 'N') + "|0|0|0)",
              calls[0]);
    EXPECT_EQ("RunProgram(" + std::string(255, 'P') + "|" + std::string(127, 'Q') + ")", calls[1]);
}

TEST(Dispatcher, VirtualKeyTargetKeyAndFlags)
{
    ResetAll();
    HWND target = MakeTestWindow("QuellonTestTarget", "Target Title", DefWindowProcA);
    ASSERT_TRUE(target != NULL);

    ActionRecord* s = Profile[10].slot;
    s[0].type = 60;    // found by class alone
    strcpy(s[0].windowClass, "QuellonTestTarget");
    s[0].number = 26;    // "C"
    s[0].wParam = 0x7F02;    // only the low byte counts
    s[1].type = 60;    // a name but no class: no lookup, the focused window
    strcpy(s[1].windowName, "Target Title");
    s[1].number = 91;    // "None"
    s[1].wParam = 0x18;
    s[2].type = 60;    // class and a title that does not match: none
    strcpy(s[2].windowClass, "QuellonTestTarget");
    strcpy(s[2].windowName, "Other");
    s[2].number = 109;
    s[3].type = 60;    // class and matching title
    strcpy(s[3].windowClass, "QuellonTestTarget");
    strcpy(s[3].windowName, "Target Title");
    s[3].number = 0;
    std::vector<std::string> calls = RunKey(10);
    // Formatted by the same runtime function as the recorder's log.
    char expect[4][64];
    _snprintf(expect[0], 64, "SendKeyCombo(%p|0x43|0x02)", (void*)target);
    _snprintf(expect[1], 64, "SendKeyCombo(%p|0x00|0x18)", (void*)NULL);
    _snprintf(expect[2], 64, "SendKeyCombo(%p|0xB7|0x00)", (void*)NULL);
    _snprintf(expect[3], 64, "SendKeyCombo(%p|0x1B|0x00)", (void*)target);
    ASSERT_EQ(4u, calls.size());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expect[i], calls[i]) << "slot " << i;
    DestroyWindow(target);
}

TEST(Dispatcher, VirtualKeyIndexOutsideTheTableIsSkipped)
{
    ResetAll();
    ActionRecord* s = Profile[10].slot;
    s[0].type = 60;
    s[0].number = -1;    // what an unset virtual-key list stores
    s[1].type = 60;
    s[1].number = 110;
    s[2].type = 20;
    std::vector<std::string> calls = RunKey(10);
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ("VolumeCommand(1)", calls[0]);
}

TEST(Dispatcher, SlotsRunInSlotOrder)
{
    ResetAll();
    ActionRecord* s = Profile[30].slot;
    s[0].type = 65;
    s[1].type = 2;
    s[2].type = 20;
    s[3].type = 20;    // twice: the volume goes up twice
    std::vector<std::string> calls = RunKey(30);
    std::vector<std::string> expected = { "ShowClock()", "WinampCommand(40045)", "VolumeCommand(1)",
                                          "VolumeCommand(1)" };
    EXPECT_EQ(expected, calls);
}

TEST(Dispatcher, TypesOutsideOneToSixtyFiveAreSkipped)
{
    ResetAll();
    ActionRecord* s = Profile[12].slot;
    s[0].type = 0;
    s[1].type = 33;
    s[2].type = 66;
    s[3].type = 21;
    ActionRecord* t = Profile[13].slot;
    t[0].type = 100;
    t[1].type = -1;
    t[2].type = 64;
    t[3].type = INT32_MIN;
    EXPECT_EQ((std::vector<std::string>{ "SetMonitorPower(2)", "VolumeCommand(0)" }), RunKey(12));
    EXPECT_EQ((std::vector<std::string>{ "VolumeCommand(-1)" }), RunKey(13));
}

TEST(Dispatcher, PowerKeyStartsTheMakersApplicationInBothStates)
{
    ResetAll();
    for (int s = 0; s < SlotsPerKey; ++s)
        Profile[0].slot[s].type = 20;    // never run
    EXPECT_EQ((std::vector<std::string>{ "LaunchVendorApp()" }), RunKey(0));
    ActiveFlag = 0;
    EXPECT_EQ((std::vector<std::string>{ "LaunchVendorApp()" }), RunKey(0));
}

TEST(Dispatcher, InactiveRunsNothingForOtherKeys)
{
    ResetAll();
    for (int k = 1; k < RemoteKeyCount; ++k)
        for (int s = 0; s < SlotsPerKey; ++s)
            Profile[k].slot[s].type = 1 + (k + s) % 65;
    ActiveFlag = 0;
    for (int k = 1; k < RemoteKeyCount; ++k)
        EXPECT_TRUE(RunKey(k).empty()) << "key " << k;
    ActiveFlag = 1;
    EXPECT_EQ(4u, RunKey(47).size());
}

TEST(Dispatcher, KeyIndexOutsideTheTableRunsNothing)
{
    ResetAll();
    EXPECT_TRUE(RunKey(48).empty());
    EXPECT_TRUE(RunKey(-1).empty());
}
