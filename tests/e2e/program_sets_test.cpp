// Bindings of their own for single programs, in the running quellon.exe: the
// program in front chooses them key by key, and the Configuration dialog
// adds a program from its window and keeps what is bound for it.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "tests/support/bound_keys.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/process.h"
#include "tests/support/standin.h"

namespace {

const UINT TargetMessage = 0x8001;

void SendTo(ActionRecord& r, int32_t wParam, const char* windowClass = "QnSetTarget",
            const char* title = "")
{
    r.type = 32;    // "Send Message"
    strcpy(r.windowClass, windowClass);
    strcpy(r.windowName, title);
    r.number = TargetMessage;
    r.wParam = wParam;
}

// standin.exe copied under the file name of a program, its window shown.
HWND StartNamed(const std::string& dir, const std::string& file, const char* title,
                PROCESS_INFORMATION* pi)
{
    CopyFileW(Utf16(TestBinDir() + "standin.exe").c_str(), Utf16(dir + file).c_str(), FALSE);
    StartProgram("\"" + dir + file + "\" QnProgram " + title + " \"" + dir + title + ".log\"", dir, pi);
    HWND window = WaitForWindow("QnProgram", title, 5000);
    ShowWindow(window, SW_SHOW);
    return window;
}

bool InFront(void* window)
{
    SetForegroundWindow((HWND)window);
    return GetForegroundWindow() == (HWND)window;
}

}  // namespace

TEST(ProgramSets, APressRunsTheOwnBindingsOfTheProgramInFrontElseThoseForAll)
{
    ClearBindings();
    for (int key = 5; key <= 7; ++key)
        SendTo(Binding(key, 0), key - 4);
    static KeyActions player[RemoteKeyCount], pleer[RemoteKeyCount];
    SendTo(player[5].slot[0], 10);
    SendTo(player[8].slot[0], 40, "QnProgram", "other");
    SendTo(player[9].slot[0], 50, "QnProgram");
    SendTo(pleer[7].slot[0], 30);
    std::string dir = MakeTempDir("sets");
    WriteWholeFile(dir + "profile-player.exe.cfg", std::string((const char*)player, sizeof player));
    WriteWholeFile(dir + u8"profile-Плеер.exe.cfg", std::string((const char*)pleer, sizeof pleer));
    StandIn* target = CreateStandIn("QnSetTarget", "target");
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run, dir));
    PROCESS_INFORMATION pi[3];
    HWND programs[3] = { StartNamed(dir, "player.exe", "player", &pi[0]),
                         StartNamed(dir, "other.exe", "other", &pi[1]),
                         StartNamed(dir, u8"плеер.EXE", "pleer", &pi[2]) };
    // The set of a name outside the ANSI code page is found whatever its case.
    // A binding to the class of the window in front reaches that window, and
    // one to another title of its class that other window.
    const struct {
        int program, key, wParam;
        const char* shown;
        const char* log;    // of the window that gets it; NULL: the target
    } rows[] = {
        { 0, 5, 10, "CH2 (player.exe)", NULL },
        { 0, 6, 2, "CH3", NULL },    // the program's set does not bind it
        { 1, 5, 1, "CH2", NULL },    // a program without a set
        { 2, 7, 30, u8"VOL- (Плеер.exe)", NULL },
        { 0, 8, 40, "CH4 (player.exe)", "other.log" },
        { 0, 9, 50, "CH5 (player.exe)", "player.log" },
    };
    int atTarget = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shown);
        ASSERT_TRUE(WaitUntil(InFront, programs[row.program], 5000));
        PressKey(run, row.key);
        if (row.log) {
            char line[32];
            _snprintf(line, sizeof line, "\n%u %d 0", TargetMessage, row.wParam);
            EXPECT_TRUE(WaitForFileText(dir + row.log, line, 3000));
        } else {
            RecordedMessage m = {};
            ASSERT_TRUE(WaitForStandInMessages(target, TargetMessage, ++atTarget, 3000));
            GetStandInMessage(target, TargetMessage, atTarget - 1, &m);
            EXPECT_EQ(row.wParam, (int)m.wParam);
        }
        EXPECT_EQ(row.shown, PressedKeyText(run, row.shown));
    }
    EXPECT_EQ(atTarget, CountStandInMessages(target, TargetMessage));
    for (PROCESS_INFORMATION& p : pi)
        KillProgram(&p);
    DestroyStandIn(target);
    CleanUpQuellon(&run);
}

TEST(ProgramSets, AProgramAddedFromItsWindowKeepsItsBindingsAfterARestart)
{
    std::string dir = MakeTempDir("addset");
    PROCESS_INFORMATION pi;
    StartNamed(dir, "player.exe", "player", &pi);
    QuellonRun run, again;
    ASSERT_TRUE(StartQuellon(&run, dir));
    ShowWindow(run.config, SW_SHOW);
    // The box is modal: clicked by a post, so that this thread can answer it.
    PostMessageA(GetDlgItem(run.config, 1044), BM_CLICK, 0, 0);
    HWND box = WaitForWindow("#32770", "Add a program", 5000);
    ASSERT_TRUE(box != NULL);
    // Found as soon as it exists: its list may not be there yet, nor filled.
    HWND list = NULL;
    int row = -1;
    for (int i = 0; i < 100 && row < 0; ++i, Sleep(20)) {
        list = GetDlgItem(box, 1050);
        for (int r = 0; list && r < (int)SendMessageW(list, LB_GETCOUNT, 0, 0) && row < 0; ++r) {
            WCHAR text[256] = L"";
            SendMessageW(list, LB_GETTEXT, r, (LPARAM)text);
            row = wcsncmp(text, L"player.exe ", 11) == 0 ? r : -1;
        }
    }
    ASSERT_GE(row, 0);
    SendMessageW(list, LB_SETCURSEL, row, 0);
    ClickControl(box, IDOK);
    ASSERT_TRUE(WaitForNoWindow("#32770", "Add a program", 5000));
    for (int i = 0; i < 100 && ComboSelection(run.config, 1043) != "player.exe"; ++i)
        Sleep(20);
    EXPECT_EQ("player.exe", ComboSelection(run.config, 1043));
    ChooseListRow(run.config, 1000, 7);
    ChooseComboRow(run.config, 1002, 20);    // "Volume Up"
    ClickControl(run.config, 1);
    std::string own, all;
    ASSERT_TRUE(ReadWholeFile(dir + "profile-player.exe.cfg", &own));
    ASSERT_TRUE(ReadWholeFile(dir + "profile.cfg", &all));
    ASSERT_EQ(98304u, own.size());
    EXPECT_EQ(20, own[7 * 2048]);
    EXPECT_EQ(0, all[7 * 2048]);
    EXPECT_EQ(0, QuitQuellon(&run));

    ASSERT_TRUE(StartQuellon(&again, dir));
    ShowWindow(again.config, SW_SHOW);
    ChooseComboRow(again.config, 1043, 1);
    EXPECT_EQ("player.exe", ComboSelection(again.config, 1043));
    ChooseListRow(again.config, 1000, 7);
    EXPECT_EQ("Volume Up", ComboSelection(again.config, 1002));
    KillProgram(&pi);
    CleanUpQuellon(&again);
}
