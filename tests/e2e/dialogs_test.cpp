// The two dialogs as quellon.exe creates them: hidden, with their icons and
// owner, and every control of their templates in template (tab) order, with
// mnemonics that do not clash.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <ctype.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/dialog_driver.h"
#include "tests/support/message_box.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"

namespace {

struct ControlRow {
    int id;
    const char* windowClass;
    const char* caption;
};

const ControlRow ConfigControls[] = {
    { -1, "Static", "&Bindings for:" },
    { 1043, "ComboBox", "All programs" },
    { 1044, "Button", "Add\x85" },    // the ellipsis in code page 1252
    { 1045, "Button", "Remove" },
    { -1, "Button", "&Keys List" },
    { 1000, "ListBox", "" },
    { 1041, "Button", "Actions" },
    { -1, "Static", "&1:" },
    { 1002, "ComboBox", "" },
    { 1004, "Button", "Details" },
    { -1, "Static", "&2:" },
    { 1006, "ComboBox", "" },
    { 1009, "Button", "Details" },
    { -1, "Static", "&3:" },
    { 1007, "ComboBox", "" },
    { 1010, "Button", "Details" },
    { -1, "Static", "&4:" },
    { 1008, "ComboBox", "" },
    { 1011, "Button", "Details" },
    { -1, "Static", "When held:" },
    { 1040, "ComboBox", "" },
    { -1, "Button", "Details" },
    { -1, "Static", "Pro&gram path:" },
    { 1013, "Edit", "" },
    { 1015, "Button", "..." },
    { -1, "Static", "&Parameters:" },
    { 1014, "Edit", "" },
    { -1, "Button", "" },
    { -1, "Static", "Virtual Ke&y:" },
    { 1022, "ComboBox", "" },
    { -1, "Static", "Modifiers:" },
    { 1023, "Button", "S&hift" },
    { 1024, "Button", "Ct&rl" },
    { 1025, "Button", "Al&t" },
    { 1027, "Button", "W&in" },
    { 1030, "Button", "&Only if window found" },
    { 1033, "Button", "And acti&ve" },
    { 1031, "Button", "Restore previo&us window" },
    { -1, "Button", "" },
    { -1, "Static", "Wn&dClass:" },
    { 1016, "Edit", "" },
    { -1, "Static", "&Msg:" },
    { 1018, "Edit", "" },
    { -1, "Static", "W&ndName:" },
    { 1017, "Edit", "" },
    { -1, "Static", "&WParam:" },
    { 1019, "Edit", "" },
    { 1026, "Button", "&Find Window" },
    { 1021, "Button", "S&et" },
    { -1, "Static", "&LParam:" },
    { 1020, "Edit", "" },
    { -1, "Button", "Pressed Key" },
    { 1005, "Static", "" },
    { 2, "Button", "&About" },
    { 3, "Button", "&Settings" },
    { 1, "Button", "&Close" },
};

// Tab goes in reading order: whose bindings, the keys list, each slot's
// list and its Details, "When held", the details area row by row, the
// buttons on the right.
const int ConfigTabOrder[] = { 1043, 1044, 1045, 1000, 1002, 1004, 1006, 1009, 1007, 1010, 1008,
                               1011, 1040, 1013, 1015, 1014, 1022, 1023, 1024, 1025, 1027, 1030,
                               1033, 1031, 1016, 1018,
                               1017, 1019, 1026, 1021, 1020, 2, 3, 1 };

const ControlRow SettingsControls[] = {
    { -1, "Button", "&Mouse speed multiplier" },
    { 1027, "msctls_trackbar32", "" },
    { -1, "Static", "Low" },
    { -1, "Static", "High" },
    { -1, "Button", "SysTray" },
    { 1029, "Button", "&Double click starts Winfast PVR" },
    { -1, "Button", "On-Screen-Display" },
    { 1031, "Button", "&Enable" },
    { 1032, "Button", "Text Co&lor" },
    { -1, "Static", "&Text size" },
    { 1028, "msctls_trackbar32", "" },
    { -1, "Static", "T&imeout" },
    { 1030, "msctls_trackbar32", "" },
    { -1, "Static", "&Opaque" },
    { 1033, "msctls_trackbar32", "" },
    { 1034, "Button", "&Start Quellon when I sign in" },
    { 1, "Button", "&Close" },
};
const int SettingsTabOrder[] = { 1027, 1029, 1031, 1032, 1028, 1030, 1033, 1034, 1 };

// The controls in template order, the tab stops among them, and no
// mnemonic used twice.
template <size_t N, size_t T>
void ExpectControls(HWND dialog, const ControlRow (&rows)[N], const int (&tabOrder)[T])
{
    std::vector<int> tabStops;
    std::set<char> mnemonics;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP)
            tabStops.push_back((short)GetDlgCtrlID(c));
        std::string caption = WindowText(c);
        size_t amp = caption.find('&');    // npos + 1 is 0
        bool unused = amp + 1 == 0 || amp + 1 == caption.size() ||
                      mnemonics.insert((char)tolower((unsigned char)caption[amp + 1])).second;
        EXPECT_TRUE(unused) << caption;
    }
    EXPECT_EQ(std::vector<int>(tabOrder, tabOrder + T), tabStops);
    HWND c = GetWindow(dialog, GW_CHILD);
    for (size_t i = 0; i < N; ++i, c = GetWindow(c, GW_HWNDNEXT)) {
        ASSERT_TRUE(c != NULL) << "control " << i << " missing";
        char cls[64] = "";
        GetClassNameA(c, cls, sizeof cls);
        EXPECT_EQ(rows[i].id, (int)(short)GetDlgCtrlID(c)) << "control " << i;
        EXPECT_STRCASEEQ(rows[i].windowClass, cls) << "control " << i;
        EXPECT_EQ(rows[i].caption, WindowText(c)) << "control " << i;
    }
    EXPECT_TRUE(c == NULL) << "more controls than the template has";
}

// The Settings dialog of this run (another run's may still be closing); it
// is created right after the Configuration dialog.
HWND SettingsOf(const QuellonRun& run)
{
    HWND w = NULL;
    for (int i = 0; i < 500 && !w; ++i, Sleep(10))
        w = FindWindowOfProcess(run.pi.dwProcessId, "#32770", "Settings");
    return w;
}

LONG StyleOf(HWND dialog, int id)
{
    return GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE);
}

}  // namespace

TEST(Dialogs, BothAreCreatedHiddenAndSettingsIsOwnedByConfiguration)
{
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    HWND settings = SettingsOf(run);
    ASSERT_TRUE(settings != NULL);
    EXPECT_FALSE(IsWindowVisible(run.config));
    EXPECT_FALSE(IsWindowVisible(settings));
    EXPECT_EQ(run.config, GetWindow(settings, GW_OWNER));
    EXPECT_TRUE(GetWindow(run.config, GW_OWNER) == NULL);
    LONG style = GetWindowLongA(run.config, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(GetWindowLongA(settings, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
}

TEST(Dialogs, ConfigurationTemplate)
{
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    ExpectControls(run.config, ConfigControls, ConfigTabOrder);
    // Each text box takes what its record field stores, and no more.
    for (int id : { 1013, 1014, 1016, 1017 })
        EXPECT_EQ(id == 1013 ? 255 : id == 1014 ? 127 : id == 1016 ? 47 : 63,
                  SendMessageA(GetDlgItem(run.config, id), EM_GETLIMITTEXT, 0, 0)) << id;
    EXPECT_EQ(BS_DEFPUSHBUTTON, StyleOf(run.config, 1) & 0x0F);
    EXPECT_EQ(LBS_NOTIFY, StyleOf(run.config, 1000) & (LBS_NOTIFY | LBS_SORT));
    for (int id : { 1002, 1006, 1007, 1008, 1022 })
        EXPECT_EQ(CBS_DROPDOWNLIST, StyleOf(run.config, id) & (0x03 | CBS_SORT)) << id;
    for (int id : { 1018, 1019, 1020 })
        EXPECT_TRUE(StyleOf(run.config, id) & ES_NUMBER) << id;
    for (int id : { 1023, 1024, 1025, 1027, 1030, 1031, 1033 })
        EXPECT_EQ(BS_AUTOCHECKBOX, StyleOf(run.config, id) & 0x0F) << id;
    EXPECT_EQ(SS_CENTER, StyleOf(run.config, 1005) & 0x0F);
    // The keys list holds the 48 key names in table order.
    HWND keys = GetDlgItem(run.config, 1000);
    EXPECT_EQ(48, SendMessageA(keys, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(keys, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
}

TEST(Dialogs, SettingsTemplate)
{
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    HWND settings = SettingsOf(run);
    ASSERT_TRUE(settings != NULL);
    ExpectControls(settings, SettingsControls, SettingsTabOrder);
    EXPECT_EQ(BS_DEFPUSHBUTTON, StyleOf(settings, 1) & 0x0F);
    for (int id : { 1027, 1028, 1030, 1033 })
        EXPECT_EQ(TBS_AUTOTICKS | TBS_BOTH,
                  StyleOf(settings, id) & (TBS_AUTOTICKS | TBS_BOTH | TBS_VERT)) << id;
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
}

TEST(Dialogs, ClosingHidesThemAndTheProgramStaysInTheTray)
{
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    HWND settings = SettingsOf(run);
    ShowWindow(run.config, SW_SHOW);
    SendMessageA(run.config, WM_COMMAND, 3, 0);    // "&Settings"
    EXPECT_TRUE(IsWindowVisible(settings));
    SendMessageA(settings, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindowVisible(settings));
    EXPECT_TRUE(FileExists(run.dir + "settings.ini"));
    SendMessageA(run.config, WM_COMMAND, 1, 0);    // "&Close"
    EXPECT_FALSE(IsWindowVisible(run.config));
    EXPECT_EQ(98304, FileSize(run.dir + "profile.cfg"));
    ShowWindow(run.config, SW_SHOW);
    DeleteFileA((run.dir + "profile.cfg").c_str());
    ChooseListRow(run.config, 1000, 3);
    ChooseComboRow(run.config, 1002, 20);    // a change of the user's: saved over the file gone meanwhile
    BoxWatch* about = WatchMessageBoxes("About this ...");
    SendMessageA(run.config, WM_SYSCOMMAND, SC_CLOSE | 3, 0);    // a double click on the caption icon
    EXPECT_EQ(0, StopWatchingMessageBoxes(about, NULL));
    EXPECT_FALSE(IsWindowVisible(run.config));
    EXPECT_EQ(98304, FileSize(run.dir + "profile.cfg"));
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(run.pi.hProcess, 0));    // still running
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
}
