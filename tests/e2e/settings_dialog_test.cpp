// The Settings dialog of the running quellon.exe, driven as a user does:
// check boxes, trackbar drags, the colour picker, closing; checked in the OSD
// windows and in the settings.ini it writes.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "tests/support/dialog_driver.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"

namespace {

struct TrackbarRow {
    int id;
    int minimum;
    int maximum;
    int tics;        // a tick every 10, 1, 1 and 4, both ends included
    int position;    // as shown for the starting file
};

const TrackbarRow Trackbars[] = {
    { 1027, 0, 100, 11, 30 },
    { 1028, 1, 10, 10, 10 },    // TextSize 20 sits at the right end
    { 1030, 1, 6, 6, 2 },
    { 1033, 1, 32, 9, 8 },
};

const int OsdControls[] = { 1032, 1028, 1030, 1033 };

const char StartingSettings[] =
    "[Settings]\r\nMouseMultiplier=30\r\nTrayDoubleClick=1\r\n"
    "[OSD]\r\nEnable=0\r\nColor=255\r\nTextSize=20\r\nTimeout=2\r\nOpaque=8\r\n";

std::vector<HWND> OsdWindowsOf(const QuellonRun& run)
{
    std::vector<HWND> found;
    HWND w = NULL;
    while ((w = FindWindowExA(NULL, w, "OSDWndClass", NULL)) != NULL) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == run.pi.dwProcessId)
            found.push_back(w);
    }
    return found;
}

// The alphas of all OSD windows, "a b c".
std::string OsdAlphas(const QuellonRun& run)
{
    std::string s;
    for (HWND w : OsdWindowsOf(run)) {
        BYTE alpha = 0;
        DWORD flags = 0;
        GetLayeredWindowAttributes(w, NULL, &alpha, &flags);
        s += std::to_string(alpha) + " ";
    }
    return s;
}

bool OsdControlsEnabled(HWND settings, bool enabled)
{
    for (int id : OsdControls)
        if (IsControlEnabled(settings, id) != enabled)
            return false;
    return true;
}

void WaitHidden(HWND window)
{
    for (int i = 0; i < 500 && IsWindowVisible(window); ++i)
        Sleep(10);
}

}  // namespace

TEST(SettingsDialog, EditsTheRecordsLiveAndWritesThemWhenClosed)
{
    QuellonRun run;
    run.dir = MakeTempDir("settings");
    std::string ini = run.dir + "settings.ini";
    WriteWholeFile(ini, StartingSettings);
    ASSERT_TRUE(StartQuellon(&run, run.dir));
    ShowWindow(run.config, SW_SHOW);
    ClickControl(run.config, 3);    // "&Settings"
    HWND s = FindWindowOfProcess(run.pi.dwProcessId, "#32770", "Settings");
    ASSERT_TRUE(s && IsWindowVisible(s));
    ASSERT_EQ(3u, OsdWindowsOf(run).size());

    for (const TrackbarRow& t : Trackbars) {
        HWND bar = GetDlgItem(s, t.id);
        EXPECT_EQ(t.minimum, SendMessageA(bar, TBM_GETRANGEMIN, 0, 0)) << t.id;
        EXPECT_EQ(t.maximum, SendMessageA(bar, TBM_GETRANGEMAX, 0, 0)) << t.id;
        EXPECT_EQ(t.tics, SendMessageA(bar, TBM_GETNUMTICS, 0, 0)) << t.id;
        EXPECT_EQ(t.position, SendMessageA(bar, TBM_GETPOS, 0, 0)) << t.id;
    }
    EXPECT_TRUE(IsControlChecked(s, 1029));
    EXPECT_FALSE(IsControlChecked(s, 1031));
    EXPECT_TRUE(OsdControlsEnabled(s, false));
    ClickControl(s, 1031);    // "Enable"
    EXPECT_TRUE(OsdControlsEnabled(s, true));
    ClickControl(s, 1031);
    EXPECT_TRUE(OsdControlsEnabled(s, false));
    ClickControl(s, 1031);

    // Every step of a drag sets the alpha of every OSD window.
    MoveTrackbar(s, 1033, 16, TB_THUMBTRACK);
    EXPECT_EQ("127 127 127 ", OsdAlphas(run));
    MoveTrackbar(s, 1033, 24, TB_THUMBTRACK);
    EXPECT_EQ("191 191 191 ", OsdAlphas(run));
    MoveTrackbar(s, 1033, 24, TB_ENDTRACK);
    MoveTrackbar(s, 1030, 5, TB_PAGEDOWN);
    MoveTrackbar(s, 1027, 70, TB_THUMBPOSITION);
    ClickControl(s, 1029);

    // The picker starts on the current colour; confirmed it stores, cancelled it keeps.
    DialogWatch* pick = WatchDialogs({ "Color", IDOK, 0, { 706, 707, 708 }, { "18", "52", "86" } });
    ClickControl(s, 1032);
    EXPECT_EQ(1, StopWatchingDialogs(pick));
    DialogWatch* cancel = WatchDialogs({ "Color", IDCANCEL, 706, { 707 }, { "200" } });
    ClickControl(s, 1032);
    std::string red;
    EXPECT_EQ(1, StopWatchingDialogs(cancel, &red));
    EXPECT_EQ("18", red);

    SendMessageA(s, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindowVisible(s));
    const std::vector<std::string> saved = {
        "[Settings]", "MouseMultiplier=70", "TrayDoubleClick=0", "RepeatGap=200", "LongPress=600",
        "[OSD]", "Enable=1", "Color=5649426", "TextSize=20", "Timeout=5", "Opaque=24",
    };
    EXPECT_EQ(saved, NonBlankLines(ini));

    // Enter presses "Close", and Escape does what "Close" does; with nothing
    // changed, a file another program removed meanwhile is not written again.
    for (UINT key : { VK_RETURN, VK_ESCAPE }) {
        ClickControl(run.config, 3);
        DeleteFileA(ini.c_str());
        PressDialogKey(s, key);
        WaitHidden(s);
        EXPECT_FALSE(IsWindowVisible(s)) << key;
        EXPECT_FALSE(FileExists(ini)) << key;
    }
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
}

// "Start Quellon when I sign in" shows whether the Startup folder holds
// Quellon.lnk; unticked it deletes it, ticked it makes one to this quellon.exe.
TEST(SettingsDialog, StartAtSignInIsTheShortcutInTheStartupFolder)
{
    char startup[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_STARTUP | CSIDL_FLAG_CREATE, NULL, 0, startup);
    const std::string shortcut = std::string(startup) + "\\Quellon.lnk";
    ASSERT_TRUE(WriteWholeFile(shortcut, "made by the installer"));
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    ClickControl(run.config, 3);    // "&Settings"
    HWND s = FindWindowOfProcess(run.pi.dwProcessId, "#32770", "Settings");
    EXPECT_TRUE(IsControlChecked(s, 1034));
    ClickControl(s, 1034);
    EXPECT_FALSE(IsControlChecked(s, 1034) || FileExists(shortcut));
    ClickControl(s, 1034);
    std::string link;
    EXPECT_TRUE(IsControlChecked(s, 1034) && ReadWholeFile(shortcut, &link));
    EXPECT_NE(std::string::npos, link.find(run.dir + "quellon.exe")) << run.dir;
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DeleteFileA(shortcut.c_str());
}
