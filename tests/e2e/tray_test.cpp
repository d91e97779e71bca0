// quellon.exe in the notification area: its icon, the flash on a key press,
// the tray callback driven as the shell sends it, the menu and the exit.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "tests/support/dialog_driver.h"
#include "tests/support/message_box.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"
#include "tests/support/registry.h"
#include "tests/support/standin.h"
#include "tests/support/wine_tray.h"

namespace {

const UINT TrayCallback = 3004;
const UINT RemoteKey = 0x0A00;
const UINT BoundMessage = WM_APP + 21;

// Key VOL- (code 8, key 7) posts BoundMessage to "QuellonTrayTarget".
std::string ProfileWithOneBinding()
{
    std::string bytes(98304, '\0');
    size_t at = 7 * 2048;
    int32_t type = 32, number = BoundMessage;
    memcpy(&bytes[at], &type, 4);
    memcpy(&bytes[at + 388], "QuellonTrayTarget", 17);
    memcpy(&bytes[at + 500], &number, 4);
    return bytes;
}

HWND WaitForMenuOf(const QuellonRun& run, DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        HWND menu = FindWindowA("#32768", NULL);
        DWORD pid = 0;
        if (menu)
            GetWindowThreadProcessId(menu, &pid);
        if (menu && pid == run.pi.dwProcessId && IsWindowVisible(menu))
            return menu;
        Sleep(10);
    } while (GetTickCount() - start < ms);
    return NULL;
}

void ChooseMenuPosition(HWND menu, int position)
{
    for (int i = 0; i <= position; ++i)
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
}

bool StartWithFiles(QuellonRun* run, const std::string& settings)
{
    run->dir = MakeTempDir("tray");
    WriteWholeFile(run->dir + "profile.cfg", ProfileWithOneBinding());
    if (!settings.empty())
        WriteWholeFile(run->dir + "settings.ini", settings);
    return StartQuellon(run, run->dir);
}

// The colour of the icon's body, a pixel that differs between the two icons.
COLORREF IconBodyColour(HWND icon)
{
    RECT r;
    GetWindowRect(icon, &r);
    int x = r.left + (r.right - r.left - 16) / 2 + 9;
    int y = r.top + (r.bottom - r.top - 16) / 2 + 8;
    return ScreenPixel(x, y);
}

bool IsAmber(COLORREF c)
{
    return GetRValue(c) > 200 && GetGValue(c) > 120 && GetBValue(c) < 100;
}

}  // namespace

TEST(Tray, IconIsThereWhileTheProgramRunsAndFlashesOnAKey)
{
    HWND icons[32];
    int before = WineTrayIconWindows(icons, 32);
    QuellonRun run;
    ASSERT_TRUE(StartWithFiles(&run, ""));
    HWND trick = WaitForTrick(run);
    ASSERT_TRUE(trick != NULL);
    int during = 0;
    for (int i = 0; i < 200 && during <= before; ++i) {
        during = WineTrayIconWindows(icons, 32);
        Sleep(10);
    }
    ASSERT_EQ(before + 1, during);
    HWND ours = icons[during - 1];
    PumpMessagesFor(200);
    COLORREF normal = IconBodyColour(ours);
    EXPECT_FALSE(IsAmber(normal));

    // A recognised key: amber for about 150 ms, then the normal icon again.
    DWORD pressed = GetTickCount();
    SendMessageA(trick, RemoteKey, 8, 0);
    DWORD sawFlash = 0, back = 0;
    while (GetTickCount() - pressed < 3000 && !back) {
        COLORREF c = IconBodyColour(ours);
        if (IsAmber(c) && !sawFlash)
            sawFlash = GetTickCount();
        if (sawFlash && c == normal)
            back = GetTickCount();
        Sleep(5);
    }
    EXPECT_NE(0u, sawFlash) << "the flash icon was never shown";
    EXPECT_NE(0u, back) << "the normal icon did not come back";
    EXPECT_GE(back - pressed, 100u);

    // An unknown code does not flash.
    SendMessageA(trick, RemoteKey, 21, 0);
    DWORD start = GetTickCount();
    bool flashed = false;
    while (GetTickCount() - start < 300)
        flashed |= IsAmber(IconBodyColour(ours));
    EXPECT_FALSE(flashed);

    EXPECT_EQ(0, QuitQuellon(&run));
    EXPECT_EQ(before, WineTrayIconWindows(icons, 32));
    CleanUpQuellon(&run);
}

TEST(Tray, DeactivateStopsBoundActionsButKeysAreStillShown)
{
    StandIn* target = CreateStandIn("QuellonTrayTarget", "Target");
    QuellonRun run;
    ASSERT_TRUE(StartWithFiles(&run, ""));
    HWND trick = WaitForTrick(run);
    ASSERT_TRUE(trick != NULL);

    PostMessageA(run.config, TrayCallback, 0, WM_RBUTTONDOWN);
    HWND menu = WaitForMenuOf(run, 5000);
    ASSERT_TRUE(menu != NULL);
    PostMessageA(menu, WM_CHAR, 'd', 0);    // "&Deactivate"
    ASSERT_TRUE(WaitForNoWindow("#32768", NULL, 5000));
    SendMessageA(run.config, WM_NULL, 0, 0);    // answered once the chosen item has been acted on

    SendMessageA(trick, RemoteKey, 8, 0);
    EXPECT_EQ("VOL-", PressedKeyText(run, "VOL-"));
    PumpMessagesFor(200);
    EXPECT_EQ(0, CountStandInMessages(target, BoundMessage));

    // The switch is now "&Activate", at the same place.
    PostMessageA(run.config, TrayCallback, 0, WM_RBUTTONDOWN);
    menu = WaitForMenuOf(run, 5000);
    ASSERT_TRUE(menu != NULL);
    ChooseMenuPosition(menu, 2);
    ASSERT_TRUE(WaitForNoWindow("#32768", NULL, 5000));
    SendMessageA(trick, RemoteKey, 21, 0);    // another code: VOL- is pressed anew
    SendMessageA(trick, RemoteKey, 8, 0);
    EXPECT_TRUE(WaitForStandInMessages(target, BoundMessage, 1, 5000));

    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(target);
}

TEST(Tray, ClicksFollowTrayDoubleClick)
{
    QuellonRun run;
    ASSERT_TRUE(StartWithFiles(&run, ""));
    // Clear: a double click opens the Configuration dialog.
    EXPECT_FALSE(IsWindowVisible(run.config));
    PostMessageA(run.config, TrayCallback, 0, WM_LBUTTONDBLCLK);
    for (int i = 0; i < 300 && !IsWindowVisible(run.config); ++i)
        Sleep(10);
    EXPECT_TRUE(IsWindowVisible(run.config));
    // A single left click opens the menu; Escape closes it.
    PostMessageA(run.config, TrayCallback, 0, WM_LBUTTONDOWN);
    HWND menu = WaitForMenuOf(run, 5000);
    ASSERT_TRUE(menu != NULL);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitForNoWindow("#32768", NULL, 5000));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
}

TEST(Tray, WithTrayDoubleClickSetADoubleClickStartsTheMakersApplication)
{
    std::string apps = MakeTempDir("apps");
    CopyFileA((TestBinDir() + "ran.exe").c_str(), (apps + "WFTV.exe").c_str(), FALSE);
    ClearVendorRegistry();
    SetVendorPath("WFTV", apps.substr(0, apps.size() - 1));
    QuellonRun run;
    ASSERT_TRUE(StartWithFiles(&run, "[Settings]\r\nTrayDoubleClick=1\r\n"));
    PostMessageA(run.config, TrayCallback, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitForMenuOf(run, 400) == NULL);    // a single click does nothing
    PostMessageA(run.config, TrayCallback, 0, WM_LBUTTONDBLCLK);
    std::string log;
    for (int i = 0; i < 500 && !ReadWholeFile(apps + "ran.log", &log); ++i)
        Sleep(10);
    EXPECT_EQ(0u, log.find("WFTV.exe|"));
    EXPECT_FALSE(IsWindowVisible(run.config));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    ClearVendorRegistry();
    RemoveTree(apps);
}

TEST(Tray, ExitWritesTheSettingsBeforeTheProfileAndEndsWithZero)
{
    QuellonRun run;
    ASSERT_TRUE(StartWithFiles(&run, ""));
    ShowWindow(run.config, SW_SHOW);
    ChooseListRow(run.config, 1000, 3);
    ChooseComboRow(run.config, 1002, 20);
    // The user changed a binding; with a directory in place of profile.cfg
    // its save fails and says so: by then settings.ini must be written.
    DeleteFileA((run.dir + "profile.cfg").c_str());
    CreateDirectoryA((run.dir + "profile.cfg").c_str(), NULL);
    DeleteFileA((run.dir + "settings.ini").c_str());
    PostMessageA(run.config, TrayCallback, 0, WM_RBUTTONDOWN);
    HWND menu = WaitForMenuOf(run, 5000);
    ASSERT_TRUE(menu != NULL);
    PostMessageA(menu, WM_CHAR, 'x', 0);    // "E&xit application"
    HWND box = WaitForWindow(MAKEINTATOM(0x8002), "ERROR", 10000);
    ASSERT_TRUE(box != NULL);
    EXPECT_TRUE(FileExists(run.dir + "settings.ini"));
    SendMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0, WaitProgram(&run.pi, 10000));
    CleanUpQuellon(&run);
}

TEST(Tray, FreshSettingsFileHoldsTheNineDefaults)
{
    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run));
    EXPECT_EQ(0, QuitQuellon(&run));
    std::vector<std::string> expected = {
        "[Settings]", "MouseMultiplier=50", "TrayDoubleClick=0", "RepeatGap=200", "LongPress=600",
        "[OSD]", "Enable=0", "Color=16711680", "TextSize=5", "Timeout=3", "Opaque=32",
    };
    EXPECT_EQ(expected, NonBlankLines(run.dir + "settings.ini"));
    CleanUpQuellon(&run);
}

TEST(Tray, SettingsFileKeepsOtherLinesAndValuesAsTheyStand)
{
    QuellonRun run;
    ASSERT_TRUE(StartWithFiles(&run, "[OSD]\r\nEnable=1\r\nColor=255\r\nTextSize=20\r\n"
                                     "[Mine]\r\nNote=kept\r\n"));
    EXPECT_EQ(0, QuitQuellon(&run));
    std::string text;
    ASSERT_TRUE(ReadWholeFile(run.dir + "settings.ini", &text));
    const char* expected[] = { "Enable=1", "Color=255", "TextSize=20", "Timeout=3", "Opaque=32",
                               "[Mine]", "Note=kept", "MouseMultiplier=50", "TrayDoubleClick=0" };
    for (const char* line : expected)
        EXPECT_NE(std::string::npos, text.find(line)) << line;
    CleanUpQuellon(&run);
}
