// Keys pressed and held as a remote does: what runs once per press and what
// repeats, and a long press chosen in the dialog.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "res/resource.h"
#include "tests/support/bound_keys.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"
#include "tests/support/standin.h"

namespace {

enum { Bound = WM_APP + 9 };
enum What { Program, Power, Message, WinampVolume, PointerMove };

// The reminder repeats a held key's code every 110 ms; returns how many it sent.
int HoldKey(const QuellonRun& run, int key, DWORD ms = 1000)
{
    int sent = 0;
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; ++sent, Sleep(110))
        SendMessageA(FindTrickWindow(run), 0x0A00, (WPARAM)(key + 1), 0);
    return sent;
}

void BindMessage(int key, int slot, int32_t wParam)
{
    ActionRecord& r = Binding(key, slot);
    r.type = 32;
    strcpy(r.windowClass, "QuellonHeldTarget");
    r.number = Bound;
    r.wParam = wParam;
}

enum { Once, EveryCode, TwoPresses };    // pressed twice 0.7 s apart instead of held

const struct HeldRow { const char* name; int key; What what; int runs; } HeldRows[] = {
    { "Execute Program starts once", 1, Program, Once },
    { "POWER starts the maker's application once", -1, Power, Once },
    { "Send Message is sent once", 2, Message, Once },
    { "a player's volume up repeats", 3, WinampVolume, EveryCode },
    { "a pointer move repeats", 4, PointerMove, EveryCode },
    { "two presses 0.6 s apart run twice", 2, Message, TwoPresses },
    { "Repeat sends at every code", 5, Message, EveryCode },
    { "Once raises a player's volume once", 6, WinampVolume, Once },
};

}  // namespace

TEST(Presses, AHeldKeyRunsOncePerPressWhatShouldNotRepeat)
{
    std::string apps = MakeTempDir("held"), programs = MakeTempDir("prog");
    for (std::string exe : { apps + "WFTV.exe", programs + "p.exe" })
        ASSERT_TRUE(CopyFileA((TestBinDir() + "ran.exe").c_str(), exe.c_str(), FALSE));
    ClearVendorRegistry();
    SetVendorPath("WFTV", apps.substr(0, apps.size() - 1));
    ClearBindings();
    Binding(1, 0).type = 31;
    lstrcpynA(Binding(1, 0).programPath, (programs + "p.exe").c_str(), ProgramPathWidth);
    BindMessage(2, 0, 0);
    Binding(3, 0).type = Binding(6, 0).type = 6;    // Winamp Vol Up
    Binding(4, 0).type = 22;                        // Mouse Pointer Up
    BindMessage(5, 0, 0);
    StandIn* target = CreateStandIn("QuellonHeldTarget", "");
    StandIn* winamp = CreateStandIn("Winamp v1.x", "");
    // Under the pointer, the target sees each of its moves.
    SetWindowPos(StandInWindow(target), HWND_TOPMOST, 100, 50, 600, 650,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetCursorPos(400, 650);
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run));
    for (int key : { 5, 6 }) {    // "Repeat" and "Once", chosen in the dialog
        ChooseListRow(run.config, IDC_KEYS_LIST, key);
        ChooseComboRow(run.config, IDC_WHEN_HELD, key - 4);
    }
    for (const HeldRow& row : HeldRows) {
        auto count = [&]() -> long {
            return row.what == Program ? (long)NonBlankLines(programs + "ran.log").size()
                 : row.what == Power ? (long)NonBlankLines(apps + "ran.log").size()
                 : row.what == Message ? CountStandInMessages(target, Bound)
                 : row.what == WinampVolume ? CountStandInMessages(winamp, WM_COMMAND)
                                            : CountStandInMessages(target, WM_MOUSEMOVE);
        };
        long before = count();
        int codes = HoldKey(run, row.key, row.runs == TwoPresses ? 1 : 1000);
        if (row.runs == TwoPresses)
            codes += (Sleep(700), HoldKey(run, row.key, 1));
        Sleep(700);    // a started program writes its line; posts arrive
        PumpMessagesFor(100);
        EXPECT_EQ(row.runs == Once ? 1 : codes, count() - before) << row.name;
        PressKey(run, 18);    // another key between the rows
    }
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(winamp);
    DestroyStandIn(target);
    ClearVendorRegistry();
    for (std::string dir : { apps, programs })
        RemoveTree(dir);
}

// Chosen in the dialog, saved beside the bindings, read back after a restart:
// a short press runs slots 1 and 2 at its end, a long one 3 and 4 once.
TEST(Presses, ALongPressKeyChosenInTheDialogDoesMoreWhenHeld)
{
    ClearBindings();
    for (int slot = 0; slot < 4; ++slot)
        BindMessage(7, slot, slot + 1);
    StandIn* target = CreateStandIn("QuellonHeldTarget", "");
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run));
    ChooseListRow(run.config, IDC_KEYS_LIST, 7);
    ChooseComboRow(run.config, IDC_WHEN_HELD, 3);
    ClickControl(run.config, IDC_CLOSE);
    EXPECT_EQ(0, QuitQuellon(&run));
    ASSERT_TRUE(StartQuellon(&run, run.dir));
    ChooseListRow(run.config, IDC_KEYS_LIST, 7);
    EXPECT_EQ("Long press", ComboSelection(run.config, IDC_WHEN_HELD));
    EXPECT_EQ("Actions: 1, 2 short press; 3, 4 long press", ControlText(run.config, IDC_ACTIONS_FRAME));
    WaitForTrick(run);
    PressKey(run, 7);
    EXPECT_TRUE(WaitForStandInMessages(target, Bound, 2, 3000));
    HoldKey(run, 7);
    PumpMessagesFor(500);
    RecordedMessage m[4] = {};
    for (int i = 0; i < 4; ++i)
        GetStandInMessage(target, Bound, i, &m[i]);
    EXPECT_EQ(4, CountStandInMessages(target, Bound));
    EXPECT_TRUE(m[0].wParam == 1 && m[1].wParam == 2 && m[2].wParam == 3 && m[3].wParam == 4);
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(target);
}
