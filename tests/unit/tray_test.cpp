// The tray icon's record, its flash and the tick thread, the tray handler
// with its menu, and the About box; driven in this process with a stand-in
// Configuration dialog as the owner.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <string.h>

#include "config/settings.h"
#include "core/active.h"
#include "core/app_state.h"
#include "core/countdown.h"
#include "core/router.h"
#include "core/vendor_apps.h"
#include "osd/osd.h"
#include "platform/platform.h"
#include "shell/tray.h"
#include "tests/support/fake_dialog.h"
#include "tests/support/menu_driver.h"
#include "tests/support/message_box.h"
#include "tests/support/process.h"
#include "tests/support/standin.h"
#include "tests/support/threads.h"

namespace {

// The platform clock, counting the looks of every thread but the test's:
// the tick thread makes three a pass.
volatile LONG OtherThreadsClockLooks;
DWORD TestThreadId;

DWORD WINAPI CountingTickCount()
{
    if (GetCurrentThreadId() != TestThreadId)
        InterlockedIncrement(&OtherThreadsClockLooks);
    return GetTickCount();
}

void SetUpTray()
{
    TestThreadId = GetCurrentThreadId();
    Platform.getTickCount = CountingTickCount;
    InitCountdowns();    // as start-up does: the tick thread sleeps on its event
    NormalIcon = LoadIconA(NULL, IDI_APPLICATION);
    FlashIcon = LoadIconA(NULL, IDI_ERROR);
    CreateFakeConfigDialog();
    Settings.TrayDoubleClick = 0;
    ActiveFlag = 1;
    AddTrayIcon();
}

INT_PTR TrayMouse(UINT mouseMessage)
{
    return RouteMessage(ConfigDialog, TrayCallbackMessage, 0, mouseMessage);
}

// Opens the menu with a right click and chooses by mnemonic (0: dismiss).
std::vector<MenuItemSeen> RunMenu(MenuDriver* d, UINT mouse)
{
    EXPECT_EQ(1, TrayMouse(mouse));
    if (mouse == WM_LBUTTONDOWN)    // the left button's menu waits out a double click
        PumpMessagesFor(GetDoubleClickTime() + 200);
    std::vector<MenuItemSeen> items;
    EXPECT_TRUE(FinishMenu(d, &items));
    return items;
}

std::vector<MenuItemSeen> ChooseFromMenu(char mnemonic, UINT mouse = WM_RBUTTONDOWN)
{
    return RunMenu(DriveNextMenu(mnemonic), mouse);
}

// "&About this.." and "&Activate" share their mnemonic: reach the switch by position.
std::vector<MenuItemSeen> ChooseMenuPosition(int position)
{
    return RunMenu(DriveNextMenuToPosition(position), WM_RBUTTONDOWN);
}

bool QuitPosted()
{
    MSG msg;
    return PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

// Icons the shell shows in Wine's notification area.
int WineTrayIcons()
{
    HWND tray = FindWindowA("__winex11_standalone_tray", NULL);
    int n = 0;
    for (HWND c = tray ? GetWindow(tray, GW_CHILD) : NULL; c; c = GetWindow(c, GW_HWNDNEXT))
        ++n;
    return n;
}

bool FlashOver(void*)
{
    return FlashCountdown == 0 && TrayIconShown() == NormalIcon;
}

DWORD WINAPI FlashFromReceiver(LPVOID)
{
    FlashTrayIcon();
    return 0;
}

bool FlashShown(void*)
{
    return TrayIconShown() == FlashIcon;
}

}  // namespace

TEST(TrayIcon, AddedWithTheNormalIconAndRemovedAtTheEnd)
{
    int before = WineTrayIcons();
    SetUpTray();
    PumpMessagesFor(200);
    EXPECT_EQ(before + 1, WineTrayIcons());
    EXPECT_EQ(NormalIcon, TrayIconShown());
    RemoveTrayIcon();
    PumpMessagesFor(200);
    EXPECT_EQ(before, WineTrayIcons());
}

TEST(TrayIcon, FlashLastsAbout150Ms)
{
    SetUpTray();
    PumpMessagesFor(300);    // every countdown at 0: the tick thread sleeps
    InterlockedExchange(&OtherThreadsClockLooks, 0);
    DWORD start = GetTickCount();
    FlashTrayIcon();
    EXPECT_TRUE(WaitUntil(FlashShown, NULL, 1000));
    EXPECT_LE(CountdownLeft(&FlashCountdown, GetTickCount()), (LONG)FlashMs);
    ASSERT_TRUE(WaitUntil(FlashOver, NULL, 3000));
    EXPECT_GE(GetTickCount() - start, 140u);
    // A pass at the start and one at the end, not one every 10 ms.
    EXPECT_LE(OtherThreadsClockLooks, 12);
    RemoveTrayIcon();
}

TEST(TrayIcon, SecondPressDuringAFlashRestartsIt)
{
    SetUpTray();
    FlashTrayIcon();
    Sleep(60);
    DWORD second = GetTickCount();
    FlashTrayIcon();
    EXPECT_EQ(FlashIcon, TrayIconShown());
    ASSERT_TRUE(WaitUntil(FlashOver, NULL, 3000));
    EXPECT_GE(GetTickCount() - second, 140u);
    RemoveTrayIcon();
}

// The key path must not wait for the shell: with the shell's tray held
// still, a flash still returns at once and shows once the tray answers;
// and the tick thread, idle meanwhile, wakes for the next flash.
TEST(TrayIcon, FlashWaitsForNeitherTheShellNorAnIdleTickThread)
{
    SetUpTray();
    PumpMessagesFor(300);    // every countdown at 0: the tick thread sleeps
    HWND shell = FindWindowA("Shell_TrayWnd", NULL);
    ASSERT_TRUE(shell != NULL);
    HANDLE held = SuspendWindowThread(shell);
    // From a thread of its own, as the receiver does: a flash that waited
    // for the shell would otherwise hang the test itself.
    HANDLE flash = CreateThread(NULL, 0, FlashFromReceiver, NULL, 0, NULL);
    DWORD returned = WaitForSingleObject(flash, 200);
    Sleep(300);
    ResumeWindowThread(held);
    WaitForSingleObject(flash, 10000);
    CloseHandle(flash);
    EXPECT_EQ(WAIT_OBJECT_0, returned) << "the flash waited for the shell";
    EXPECT_TRUE(WaitUntil(FlashOver, NULL, 3000));
    PumpMessagesFor(300);
    FlashTrayIcon();
    EXPECT_TRUE(WaitUntil(FlashShown, NULL, 1000));
    EXPECT_TRUE(WaitUntil(FlashOver, NULL, 3000));
    RemoveTrayIcon();
}

// How long the tick thread sleeps for a countdown: until its end, right
// across the wrap of the tick count every 49.7 days.
TEST(TrayIcon, TickThreadSleepsUntilACountdownsEndAcrossTheWrap)
{
    const struct {
        LONG end;
        DWORD now;
        DWORD dueIn;
    } rows[] = {
        { 0, 1000, INFINITE },                          // none runs
        { 1150, 1000, 150 },
        { 1000, 1000, 0 },                              // due now
        { 995, 1000, 0 },                               // overdue: at once
        { 0x10, 0xFFFFFFF0u, 0x20 },                    // ends after the wrap
        { (LONG)0xFFFFFFF0u, 0x10, 0 },                 // ended before it
    };
    for (const auto& r : rows) {
        volatile LONG countdown = r.end;
        EXPECT_EQ(r.dueIn, CountdownDueIn(&countdown, r.now)) << "end " << r.end << " now " << r.now;
    }
}

bool OsdHidden(void*)
{
    return !IsWindowVisible(OsdWindow(0));
}

// Idle, the tick thread sleeps until a text is shown, and then until the
// text's Timeout x 500 ms are over.
TEST(TrayIcon, IdleTickThreadWakesForAnOsdText)
{
    SetUpTray();
    OsdSettings.Enable = 1;
    OsdSettings.Timeout = 1;
    InitOsd();
    CreateOsdSlot(1, 1, 0.01, 0.025);
    PumpMessagesFor(300);
    InterlockedExchange(&OtherThreadsClockLooks, 0);
    DWORD start = GetTickCount();
    ShowOsdText(0, "PLAY");
    EXPECT_TRUE(IsWindowVisible(OsdWindow(0)));
    ASSERT_TRUE(WaitUntil(OsdHidden, NULL, 5000));
    EXPECT_GE(GetTickCount() - start, 480u);
    EXPECT_LE(OtherThreadsClockLooks, 15);    // the slot's thread starts it, then a few passes
    EXPECT_EQ(0, OsdCountdown(0));
    RemoveTrayIcon();
}

TEST(TrayIcon, ReturnsAfterTheShellRestarts)
{
    int before = WineTrayIcons();
    SetUpTray();
    PumpMessagesFor(200);
    // The shell forgets every icon when it restarts ...
    NOTIFYICONDATAA gone;
    ZeroMemory(&gone, sizeof gone);
    gone.cbSize = NOTIFYICONDATAA_V2_SIZE;
    gone.hWnd = ConfigDialog;
    gone.uID = 0;
    Shell_NotifyIconA(NIM_DELETE, &gone);
    PumpMessagesFor(200);
    EXPECT_EQ(before, WineTrayIcons());
    // ... and tells every top-level window once it is back.
    RouteMessage(ConfigDialog, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    PumpMessagesFor(200);
    EXPECT_EQ(before + 1, WineTrayIcons());
    RemoveTrayIcon();
}

namespace {

bool RefusedTwice(void* tray)
{
    return CountStandInMessages((StandIn*)tray, WM_COPYDATA) >= 4;    // an add and a modify each
}

bool IconAdded(void* before)
{
    return WineTrayIcons() == *(int*)before + 1;
}

}  // namespace

// At logon the shell may refuse icons for a while: a stand-in tray that
// refuses every icon is found before the real one; once it is gone, a
// retry adds the icon.
TEST(TrayIcon, AddedOnceTheShellTakesIt)
{
    int before = WineTrayIcons();
    StandIn* refusing = CreateStandIn("Shell_TrayWnd", "");
    SetUpTray();
    EXPECT_TRUE(WaitUntil(RefusedTwice, refusing, 10000));
    EXPECT_EQ(before, WineTrayIcons());
    DestroyStandIn(refusing);
    EXPECT_TRUE(WaitUntil(IconAdded, &before, 10000));
    RemoveTrayIcon();
}

TEST(TrayMenu, ItemsIdsAndStates)
{
    SetUpTray();
    std::vector<MenuItemSeen> items = ChooseFromMenu(0);
    ASSERT_EQ(4u, items.size());
    EXPECT_EQ("&About this..", items[0].text);
    EXPECT_EQ(100u, items[0].id);
    EXPECT_EQ("&Configuration", items[1].text);
    EXPECT_EQ(101u, items[1].id);
    EXPECT_TRUE(items[1].state & MFS_DEFAULT);
    EXPECT_EQ("&Deactivate", items[2].text);
    EXPECT_EQ(103u, items[2].id);
    EXPECT_FALSE(items[2].state & MFS_DEFAULT);
    EXPECT_EQ("E&xit application", items[3].text);
    EXPECT_EQ(102u, items[3].id);
    // Dismissed: nothing changed.
    EXPECT_EQ(1, ActiveFlag);
    EXPECT_FALSE(IsWindowVisible(ConfigDialog));
    EXPECT_FALSE(QuitPosted());
    RemoveTrayIcon();
}

TEST(TrayMenu, DeactivateThenActivate)
{
    SetUpTray();
    ChooseFromMenu('d');
    EXPECT_EQ(0, ActiveFlag);
    std::vector<MenuItemSeen> items = ChooseMenuPosition(2);
    ASSERT_EQ(4u, items.size());
    EXPECT_EQ("&Activate", items[2].text);
    EXPECT_EQ(1, ActiveFlag);
    RemoveTrayIcon();
}

TEST(TrayMenu, ConfigurationShowsTheDialogAndExitEndsTheLoop)
{
    SetUpTray();
    ChooseFromMenu('c');
    EXPECT_TRUE(IsWindowVisible(ConfigDialog));
    EXPECT_FALSE(QuitPosted());
    ChooseFromMenu('x');
    EXPECT_TRUE(QuitPosted());
    RemoveTrayIcon();
}

TEST(TrayMenu, AboutBoxNamesTheProductAndItsLicence)
{
    SetUpTray();
    BoxWatch* watch = WatchMessageBoxes("About this ...");
    ChooseFromMenu('a');
    std::string text;
    EXPECT_EQ(1, StopWatchingMessageBoxes(watch, &text));
    EXPECT_EQ(0u, text.find("Quellon "));
    EXPECT_NE(std::string::npos, text.find("licence"));
    EXPECT_EQ(1, ActiveFlag);
    RemoveTrayIcon();
}

TEST(TrayClicks, SingleLeftClickOpensTheMenuUnlessDoubleClickIsSet)
{
    SetUpTray();
    ChooseFromMenu(0, WM_LBUTTONDOWN);
    Settings.TrayDoubleClick = 1;
    MenuDriver* d = DriveNextMenu(0);
    EXPECT_EQ(1, TrayMouse(WM_LBUTTONDOWN));
    PumpMessagesFor(300);
    EXPECT_FALSE(FinishMenu(d, NULL));
    // Other mouse messages do nothing at all.
    EXPECT_EQ(1, TrayMouse(WM_MOUSEMOVE));
    EXPECT_EQ(1, TrayMouse(WM_RBUTTONUP));
    EXPECT_FALSE(IsWindowVisible(ConfigDialog));
    RemoveTrayIcon();
}

TEST(TrayClicks, DoubleClickOpensTheDialogOrStartsTheMakersApplication)
{
    SetUpTray();
    MenuDriver* none = DriveNextMenu(0);
    TrayMouse(WM_LBUTTONDOWN);    // the double click's first: no menu after it
    EXPECT_EQ(1, TrayMouse(WM_LBUTTONDBLCLK));
    PumpMessagesFor(GetDoubleClickTime() + 200);
    EXPECT_FALSE(FinishMenu(none, NULL));
    EXPECT_TRUE(IsWindowVisible(ConfigDialog));
    ShowWindow(ConfigDialog, SW_HIDE);

    std::string dir = MakeTempDir("tray");
    CopyFileA((TestBinDir() + "ran.exe").c_str(), (dir + "WFTV.exe").c_str(), FALSE);
    memset(VendorAppPaths, 0, sizeof VendorAppPaths);
    lstrcpynA(VendorAppPaths[VendorTv], (dir + "WFTV.exe").c_str(), VendorPathSize);
    Settings.TrayDoubleClick = 1;
    EXPECT_EQ(1, TrayMouse(WM_LBUTTONDBLCLK));
    EXPECT_FALSE(IsWindowVisible(ConfigDialog));
    std::string log;
    for (int i = 0; i < 300 && !ReadWholeFile(dir + "ran.log", &log); ++i)
        Sleep(10);
    EXPECT_EQ(0u, log.find("WFTV.exe|"));
    RemoveTrayIcon();
    RemoveTree(dir);
}
