// The Configuration dialog of the running quellon.exe, driven as a user does:
// key and type choices, Details, typing, Set, remote key presses, the
// keyboard, the file dialog; checked in the profile.cfg it writes.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "tests/support/dialog_driver.h"
#include "tests/support/message_box.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"

namespace {

const UINT RemoteKey = 0x0A00;

// profile.cfg: 48 keys x 4 slots x 512 bytes, fields at these offsets.
enum { TypeAt = 0, PathAt = 4, ParamsAt = 260, ClassAt = 388, NameAt = 436,
       NumberAt = 500, WParamAt = 504, LParamAt = 508 };

size_t SlotAt(int key, int slot)
{
    return (size_t)key * 2048 + (size_t)slot * 512;
}

void Put(std::string* p, size_t at, const void* bytes, size_t n)
{
    memcpy(&(*p)[at], bytes, n);
}

void PutInt(std::string* p, size_t at, int32_t v)
{
    Put(p, at, &v, 4);
}

int32_t IntAt(const std::string& p, size_t at)
{
    int32_t v;
    memcpy(&v, &p[at], 4);
    return v;
}

// Key 0 holds bindings it never runs; key 7 ("VOL-") a few to edit.
std::string StartingProfile()
{
    std::string p(98304, '\0');
    for (size_t i = 0; i < 2048; ++i)
        p[i] = 'k';
    const int32_t key0Types[4] = { 32, 60, 31, 5 };
    for (int s = 0; s < 4; ++s)
        PutInt(&p, SlotAt(0, s), key0Types[s]);
    PutInt(&p, SlotAt(7, 0), 5);
    size_t s1 = SlotAt(7, 1);
    PutInt(&p, s1 + TypeAt, 32);
    Put(&p, s1 + ClassAt, "OldClass", 8);
    Put(&p, s1 + NameAt, "OldName", 7);
    PutInt(&p, s1 + NumberAt, -1);
    PutInt(&p, s1 + WParamAt, 12);
    PutInt(&p, s1 + LParamAt, 3);
    Put(&p, SlotAt(7, 2) + PathAt, "old\\path.exe", 12);
    Put(&p, SlotAt(7, 2) + ParamsAt, "abcdefghij", 10);
    PutInt(&p, SlotAt(7, 3), 99);
    return p;
}

bool StartWithProfile(QuellonRun* run, const std::string& profile)
{
    run->dir = MakeTempDir("config");
    WriteWholeFile(run->dir + "profile.cfg", profile);
    if (!StartQuellon(run, run->dir))
        return false;
    ShowWindow(run->config, SW_SHOW);
    return true;
}

const int TypeLists[4] = { 1002, 1006, 1007, 1008 };
const int DetailsButtons[4] = { 1004, 1009, 1010, 1011 };
const int DetailsControls[18] = { 1013, 1014, 1015, 1021, 1026, 1016, 1017, 1018, 1019,
                                   1020, 1022, 1023, 1025, 1024, 1027, 1030, 1031, 1033 };

// The ids among the details controls that are enabled, in that order.
std::string EnabledDetails(HWND dialog)
{
    std::string ids;
    for (int id : DetailsControls)
        if (IsControlEnabled(dialog, id))
            ids += std::to_string(id) + " ";
    return ids;
}

std::string SlotStates(HWND dialog)
{
    std::string s;
    for (int slot = 0; slot < 4; ++slot)
        s += std::string(IsControlEnabled(dialog, TypeLists[slot]) ? "+" : "-") +
             ComboSelection(dialog, TypeLists[slot]) +
             (IsControlEnabled(dialog, DetailsButtons[slot]) ? "(D) " : " ");
    return s;
}

}  // namespace

TEST(ConfigDialog, EditsTheSlotsOfAKeyAndSavesThemOnEnter)
{
    QuellonRun run;
    const std::string before = StartingProfile();
    ASSERT_TRUE(StartWithProfile(&run, before));
    HWND d = run.config;
    HWND trick = WaitForTrick(run);
    ASSERT_TRUE(trick != NULL);
    EXPECT_EQ("- - - - ", SlotStates(d));
    EXPECT_EQ("", EnabledDetails(d));

    ChooseListRow(d, 1000, 7);
    EXPECT_EQ("+Winamp Next +Send Message(D) +None + ", SlotStates(d));
    ChooseListRow(d, 1000, 0);    // "POWER": nothing to bind, whatever its records hold
    EXPECT_EQ("-None -None -None -None ", SlotStates(d));

    // Send Message details: a stored -1 shows unsigned; what is typed is stored.
    ChooseListRow(d, 1000, 7);
    ClickControl(d, 1009);
    EXPECT_EQ("1021 1026 1016 1017 1018 1019 1020 ", EnabledDetails(d));
    EXPECT_EQ("OldClass", ControlText(d, 1016));
    EXPECT_EQ("OldName", ControlText(d, 1017));
    EXPECT_EQ("4294967295", ControlText(d, 1018));
    EXPECT_EQ("12", ControlText(d, 1019));
    EXPECT_EQ("3", ControlText(d, 1020));
    TypeText(d, 1016, std::string(60, 'C'));
    TypeText(d, 1017, "Target");
    TypeText(d, 1018, "273");
    TypeText(d, 1019, "");
    TypeText(d, 1020, "4000000000");
    ClickControl(d, 1021);
    EXPECT_EQ("", EnabledDetails(d));
    EXPECT_EQ(std::string(60, 'C'), ControlText(d, 1016));    // stays, greyed

    // A type is stored as soon as it is chosen; Details shows the old fields.
    ChooseComboRow(d, 1007, 31);
    EXPECT_TRUE(IsControlEnabled(d, 1010));
    ClickControl(d, 1010);
    EXPECT_EQ("1013 1014 1015 1021 1026 ", EnabledDetails(d));
    EXPECT_EQ("old\\path.exe", ControlText(d, 1013));
    EXPECT_EQ("abcdefghij", ControlText(d, 1014));
    TypeText(d, 1013, std::string(300, 'p'));
    TypeText(d, 1014, "xy");
    ClickControl(d, 1021);

    // Send Message to Virtual Key keeps class and name; 273 is no row, and
    // Set with no row stores the "None" row (91).
    ChooseComboRow(d, 1006, 60);
    ClickControl(d, 1009);
    EXPECT_EQ(std::string(47, 'C'), ControlText(d, 1016));
    EXPECT_EQ("Target", ControlText(d, 1017));
    EXPECT_EQ("", ComboSelection(d, 1022));
    ClickControl(d, 1021);

    // A fresh Virtual Key slot shows "Escape" and no mark; a row and two boxes are stored.
    ChooseComboRow(d, 1008, 60);
    ClickControl(d, 1011);
    EXPECT_EQ("Escape", ComboSelection(d, 1022));
    for (int id : { 1023, 1024, 1025, 1027, 1030, 1031, 1033 })
        EXPECT_FALSE(IsControlChecked(d, id)) << id;
    ChooseComboRow(d, 1022, 5);
    ClickControl(d, 1024);    // "Ctrl"
    ClickControl(d, 1033);    // "And active"
    ClickControl(d, 1021);

    // A key press while the dialog is visible selects its key and closes the details.
    ClickControl(d, 1010);
    ASSERT_TRUE(IsControlEnabled(d, 1013));
    SendMessageA(trick, RemoteKey, 4, 0);    // "VOL+", key 3
    EXPECT_EQ("VOL+", PressedKeyText(run, "VOL+"));
    EXPECT_EQ(3, SendDlgItemMessageA(d, 1000, LB_GETCURSEL, 0, 0));
    EXPECT_EQ("+None +None +None +None ", SlotStates(d));
    EXPECT_EQ("", EnabledDetails(d));

    PressDialogKey(d, VK_RETURN);    // the default button, "&Close"
    for (int i = 0; i < 500 && IsWindowVisible(d); ++i)
        Sleep(10);
    EXPECT_FALSE(IsWindowVisible(d));
    std::string after;
    ASSERT_TRUE(ReadWholeFile(run.dir + "profile.cfg", &after));
    ASSERT_EQ(98304u, after.size());
    EXPECT_EQ(before.substr(0, 2048), after.substr(0, 2048)) << "key 0 changed";
    size_t s1 = SlotAt(7, 1), s2 = SlotAt(7, 2), s3 = SlotAt(7, 3);
    EXPECT_EQ(5, IntAt(after, SlotAt(7, 0)));
    EXPECT_EQ(60, IntAt(after, s1));
    EXPECT_EQ(std::string(47, 'C'), std::string(&after[s1 + ClassAt]));
    EXPECT_EQ("Target", std::string(&after[s1 + NameAt]));
    EXPECT_EQ(91, IntAt(after, s1 + NumberAt));
    EXPECT_EQ(0, IntAt(after, s1 + WParamAt));
    EXPECT_EQ((int32_t)4000000000u, IntAt(after, s1 + LParamAt));
    EXPECT_EQ(31, IntAt(after, s2));
    EXPECT_EQ(std::string(255, 'p'), std::string(&after[s2 + PathAt]));
    EXPECT_EQ(std::string("xy\0defghij\0", 11), after.substr(s2 + ParamsAt, 11));
    EXPECT_EQ(60, IntAt(after, s3));
    EXPECT_EQ(5, IntAt(after, s3 + NumberAt));
    EXPECT_EQ(0x42, IntAt(after, s3 + WParamAt));

    // Hidden: a key press only changes "Pressed Key".
    SendMessageA(trick, RemoteKey, 5, 0);    // "CH1", key 4
    EXPECT_EQ("CH1", PressedKeyText(run, "CH1"));
    EXPECT_EQ(3, SendDlgItemMessageA(d, 1000, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
}

TEST(ConfigDialog, EscapeShowsAboutBrowseOffersTheLastFileAndAFailedSaveStillHides)
{
    QuellonRun run;
    ASSERT_TRUE(StartWithProfile(&run, StartingProfile()));
    HWND d = run.config;

    DialogWatch* about = WatchDialogs({ "About this ...", IDOK, 0, { 0 }, { NULL } });
    PressDialogKey(d, VK_ESCAPE);    // the dialog manager's command 2 is "&About"
    EXPECT_TRUE(WaitForAnswers(about, 1, 5000));
    EXPECT_EQ(1, StopWatchingDialogs(about));
    EXPECT_TRUE(IsWindowVisible(d));

    // "..." of an Execute Program slot; the chosen path, then offered again.
    ChooseListRow(d, 1000, 7);
    ChooseComboRow(d, 1007, 31);
    ClickControl(d, 1010);
    std::string text, chosen = run.dir + "player.exe";
    WriteWholeFile(chosen, "MZ");
    DialogWatch* pick = WatchDialogs({ "Select program", IDOK, 0, { 0x47C }, { chosen.c_str() } });
    ClickControl(d, 1015);
    EXPECT_EQ(1, StopWatchingDialogs(pick));
    EXPECT_STRCASEEQ(chosen.c_str(), ControlText(d, 1013).c_str());
    TypeText(d, 1013, "typed.exe");
    DialogWatch* cancel = WatchDialogs({ "Select program", IDCANCEL, 0x47C, { 0 }, { NULL } });
    ClickControl(d, 1015);
    EXPECT_EQ(1, StopWatchingDialogs(cancel, &text));
    EXPECT_NE(std::string::npos, text.find("player.exe")) << text;
    EXPECT_EQ("typed.exe", ControlText(d, 1013));
    // Pasted where letters outside the code page read as '?': "Set" says
    // so, and stores nothing.
    TypeText(d, 1013, "C:\\Users\\????\\app.exe");
    BoxWatch* refused = WatchMessageBoxes("Execute Program");
    ClickControl(d, 1021);
    EXPECT_EQ(1, StopWatchingMessageBoxes(refused, &text));
    EXPECT_NE(std::string::npos, text.find("C:\\Users\\????\\app.exe\n\nNo file name")) << text;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 1021)));

    // profile.cfg cannot be written: the error box, and the dialog hides all the same.
    DeleteFileA((run.dir + "profile.cfg").c_str());
    CreateDirectoryA((run.dir + "profile.cfg").c_str(), NULL);
    BoxWatch* error = WatchMessageBoxes("ERROR");
    SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(1, StopWatchingMessageBoxes(error, &text));
    EXPECT_EQ("Error encountered saving configuration", text);
    EXPECT_FALSE(IsWindowVisible(d));
    RemoveDirectoryA((run.dir + "profile.cfg").c_str());
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
}

// A key pressed on the remote between the typing and the handling of "Set"
// (the click queued behind it) selects its own key; what was typed is still
// stored into the key whose details were open, never into the pressed one.
TEST(ConfigDialog, SetAfterAKeyPressStoresIntoTheKeyWhoseDetailsWereOpen)
{
    QuellonRun run;
    std::string before(98304, '\0');
    PutInt(&before, SlotAt(3, 0), 32);
    Put(&before, SlotAt(3, 0) + ClassAt, "Key3", 4);
    PutInt(&before, SlotAt(7, 0), 32);
    ASSERT_TRUE(StartWithProfile(&run, before));
    HWND d = run.config;
    HWND trick = WaitForTrick(run);
    ASSERT_TRUE(trick != NULL);
    ChooseListRow(d, 1000, 7);
    ClickControl(d, 1004);
    TypeText(d, 1016, "Typed");
    SendMessageA(trick, RemoteKey, 4, 0);    // "VOL+", key 3
    EXPECT_EQ("VOL+", PressedKeyText(run, "VOL+"));
    EXPECT_EQ(3, SendDlgItemMessageA(d, 1000, LB_GETCURSEL, 0, 0));
    SendMessageA(d, WM_COMMAND, 1021, (LPARAM)GetDlgItem(d, 1021));    // "Set"
    PressDialogKey(d, VK_RETURN);
    for (int i = 0; i < 500 && IsWindowVisible(d); ++i)
        Sleep(10);
    std::string after;
    ASSERT_TRUE(ReadWholeFile(run.dir + "profile.cfg", &after));
    EXPECT_EQ("Key3", std::string(&after[SlotAt(3, 0) + ClassAt]));
    EXPECT_EQ("Typed", std::string(&after[SlotAt(7, 0) + ClassAt]));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
}
