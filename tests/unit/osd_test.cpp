// The OSD: placement arithmetic, font height, alpha, and the real windows on
// the 1024 x 768 test screen.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "config/settings.h"
#include "platform/platform.h"
#include "osd/osd.h"
#include "osd/placement.h"
#include "tests/support/osd_slots.h"
#include "tests/support/screenshot.h"
#include "tests/support/standin.h"
#include "tests/support/test_window.h"

TEST(OsdPlacement, EdgeCasesOnA1024By768Screen)
{
    // Slot 1: right 1 %, top 2.5 %; slot 0: centred, bottom 5 %; slot 2: left, top.
    EXPECT_EQ(813, OsdPosition(OsdAnchorEnd, 0.01, 1024, 200));
    EXPECT_EQ(19, OsdPosition(OsdAnchorStart, 0.025, 768, 57));
    EXPECT_EQ(312, OsdPosition(OsdAnchorCentre, 0.0, 1024, 400));
    EXPECT_EQ(672, OsdPosition(OsdAnchorEnd, 0.05, 768, 57));
    EXPECT_EQ(10, OsdPosition(OsdAnchorStart, 0.01, 1024, 999));
}

// The rules within a second monitor's rectangle: right of the first, and
// above and left of it.
TEST(OsdPlacement, OnASecondMonitorTheRulesApplyWithinItsRectangle)
{
    const RECT right = { 1024, 0, 2048, 768 }, aboveLeft = { -1680, -1050, 0, 0 };
    POINT clock = OsdPlaceOnMonitor(3, 1, 0.01, 0.025, right, 200, 57);
    POINT volume = OsdPlaceOnMonitor(2, 3, 0.0, 0.05, aboveLeft, 400, 81);
    EXPECT_EQ(1837, clock.x);
    EXPECT_EQ(19, clock.y);
    EXPECT_EQ(-1040, volume.x);    // (1680 - 400) / 2 from its left edge
    EXPECT_EQ(-134, volume.y);     // (1050 - 81) - 52.5 from its top edge, truncated
}

TEST(OsdPlacement, HalfDifferenceIsAnIntegerDivisionAndResultsTruncateTowardZero)
{
    EXPECT_EQ(311, OsdPosition(OsdAnchorCentre, 0.0, 1024, 401));    // 623 / 2 = 311
    EXPECT_EQ(321, OsdPosition(OsdAnchorCentre, 0.01, 1024, 401));   // 10.24 + 311
    EXPECT_EQ(-25, OsdPosition(OsdAnchorCentre, 0.0, 100, 151));     // -51 / 2 = -25
    EXPECT_EQ(-51, OsdPosition(OsdAnchorEnd, 0.01, 100, 150));       // -50 - 1
    EXPECT_EQ(-24, OsdPosition(OsdAnchorCentre, 0.005, 100, 151));   // 0.5 - 25 = -24.5
}

TEST(OsdPlacement, FontHeightFollowsTextSizeAndScreenHeight)
{
    EXPECT_EQ(57, OsdFontHeight(5, 768));
    EXPECT_EQ(100, OsdFontHeight(10, 1000));
    EXPECT_EQ(42, OsdFontHeight(1, 768));
    EXPECT_EQ(115, OsdFontHeight(20, 768));    // stored values are not clamped
}

// settings.ini is read unclamped: whatever it holds, a text must hide again,
// the font must fit the screen and nothing may overflow.
TEST(OsdPlacement, StoredExtremesGiveAFiniteCountdownAUsableFontAndAnAlpha)
{
    struct { int32_t value; int32_t ms; int fontHeight; int alpha; } cases[] = {
        { 3, 1500, 49, 23 },
        { 1, 500, 42, 7 },
        { 0, 500, 38, 255 },                       // alpha: low 8 bits of -1
        { -1, 500, 34, 247 },
        { -10, 500, 1, 175 },                      // (-0.05 + 0.05) x H: under 1 pixel
        { -1000, 500, 1, 191 },
        { INT32_MIN, 500, 1, 255 },
        { 4294967, 2147483500, 768, 183 },         // the last product that fits
        { 4294968, INT32_MAX, 768, 191 },          // x 500 would overflow 31 bits
        { INT32_MAX, INT32_MAX, 768, 247 },
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.ms, OsdDisplayMs(c.value)) << c.value;
        EXPECT_EQ(c.fontHeight, OsdFontHeight(c.value, 768)) << c.value;
        EXPECT_EQ(c.alpha, OsdAlpha(c.value)) << c.value;
    }
}

TEST(OsdPlacement, AlphaIsTheLowByteOfOpaqueTimesEightMinusOne)
{
    EXPECT_EQ(255, OsdAlpha(32));
    EXPECT_EQ(127, OsdAlpha(16));
    EXPECT_EQ(31, OsdAlpha(4));
    EXPECT_EQ(7, OsdAlpha(1));
    EXPECT_EQ(255, OsdAlpha(0));
    EXPECT_EQ(247, OsdAlpha(31));
}

namespace {

void SetUpOsd()
{
    OsdSettings.Enable = 1;
    OsdSettings.Timeout = 3;
    OsdSettings.TextSize = 5;
    OsdSettings.Opaque = 32;
    OsdSettings.Color = RGB(255, 0, 0);
    HoldClock();
    InitOsd();
    CreateOsdSlot(2, 3, 0.0, 0.05);
    CreateOsdSlot(3, 1, 0.01, 0.025);
    CreateOsdSlot(1, 1, 0.01, 0.025);
}

// The size a text has in the OSD's font, measured independently.
SIZE MeasureLikeTheOsd(const char* text, int textSize, int screenHeight = GetSystemMetrics(SM_CYSCREEN))
{
    HFONT font = CreateFontA(OsdFontHeight(textSize, screenHeight), 0, 0, 0,
                             700, 0, 0, 0, 0, 0, 0, 4, 0, NULL);
    HDC dc = GetDC(NULL);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r = { 0, 0, 0, 0 };
    DrawTextA(dc, text, -1, &r, DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(NULL, dc);
    DeleteObject(font);
    SIZE s = { r.right - r.left, r.bottom - r.top };
    return s;
}

RECT WindowRect(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return r;
}

struct ShowArgs {
    int32_t slot;
    const char* text;
};

DWORD WINAPI ShowFromAnotherThread(LPVOID arg)
{
    ShowArgs* a = (ShowArgs*)arg;
    ShowOsdText(a->slot, a->text);
    return 0;
}

// Shows a text the way executors do: from a thread that is not the windows' owner.
void ShowFromReceiver(int32_t slot, const char* text)
{
    ShowArgs a = { slot, text };
    HANDLE t = CreateThread(NULL, 0, ShowFromAnotherThread, &a, 0, NULL);
    while (MsgWaitForMultipleObjects(1, &t, FALSE, 5000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        PumpMessagesFor(1);
    CloseHandle(t);
    PumpMessagesFor(20);    // the slot's window is shown by this, its own, thread
}

}  // namespace

TEST(OsdWindows, SlotsAreHiddenLayeredTopmostToolWindows)
{
    SetUpOsd();
    ASSERT_EQ(3, OsdSlotCount());
    for (int i = 0; i < 3; ++i) {
        HWND w = OsdWindow(i);
        ASSERT_TRUE(IsWindow(w));
        char cls[32], title[32];
        GetClassNameA(w, cls, sizeof cls);
        GetWindowTextA(w, title, sizeof title);
        EXPECT_STREQ("OSDWndClass", cls);
        EXPECT_STREQ("OSD", title);
        LONG ex = GetWindowLongA(w, GWL_EXSTYLE);
        EXPECT_EQ(0x800A8, ex & 0x800A8);
        EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_POPUP);
        EXPECT_FALSE(IsWindowVisible(w));
        COLORREF key = 1;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(w, &key, &alpha, &flags));
        EXPECT_EQ(0u, key);
        EXPECT_EQ(255, alpha);
        EXPECT_EQ(3u, flags);
    }
}

TEST(OsdWindows, TextsArePlacedByTheirSlotsRule)
{
    SetUpOsd();
    const char* texts[3] = { "VOL |||||||||||||||                 050", "09:05", "PLAY" };
    int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(1024, W);
    ASSERT_EQ(768, H);
    for (int i = 0; i < 3; ++i) {
        ShowFromReceiver(i, texts[i]);
        SIZE size = MeasureLikeTheOsd(texts[i], 5);
        EXPECT_EQ(57, size.cy);
        RECT r = WindowRect(OsdWindow(i));
        EXPECT_EQ(size.cx, r.right - r.left) << i;
        EXPECT_EQ(size.cy, r.bottom - r.top) << i;
        // Centred; 1 % of 1024 from the right edge; 1 % from the left.
        const int left[3] = { (1024 - size.cx) / 2, 1013 - size.cx, 10 };
        // 5 % of 768 above the bottom edge; 2.5 % of 768 from the top.
        const int top[3] = { 672, 19, 19 };
        EXPECT_EQ(left[i], r.left) << i;
        EXPECT_EQ(top[i], r.top) << i;
        EXPECT_TRUE(IsWindowVisible(OsdWindow(i)));
        EXPECT_TRUE(GetWindowLongA(OsdWindow(i), GWL_EXSTYLE) & WS_EX_TOPMOST);
        char stored[OsdTextWidth];
        OsdText(i, stored, sizeof stored);
        EXPECT_STREQ(texts[i], stored);
    }
    EXPECT_EQ(10, WindowRect(OsdWindow(2)).left);
    EXPECT_EQ(19, WindowRect(OsdWindow(2)).top);
}

// A 1920 x 1080 monitor right of the test screen, as the platform reports
// the monitor of the window asked about.
static HWND MonitorAskedFor = (HWND)-1;
static HMONITOR WINAPI SecondMonitorOf(HWND w, DWORD) { MonitorAskedFor = w; return (HMONITOR)(INT_PTR)2; }
static BOOL WINAPI SecondMonitorInfo(HMONITOR, LPMONITORINFO i)
{
    return SetRect(&i->rcMonitor, 1024, -120, 2944, 960);
}

TEST(OsdWindows, TextsShowOnTheMonitorOfTheForegroundWindowInItsSize)
{
    SetUpOsd();
    HWND front = MakeTestWindow("QuellonOsdFront", "Film", DefWindowProcA, WS_VISIBLE, 0, 0, 200, 100);
    SetForegroundWindow(front);
    Platform.monitorFromWindow = SecondMonitorOf;
    Platform.getMonitorInfo = SecondMonitorInfo;
    ShowFromReceiver(1, "09:05");
    Platform = RealPlatform;
    EXPECT_EQ(GetForegroundWindow(), MonitorAskedFor);
    RECT r = WindowRect(OsdWindow(1));
    EXPECT_EQ(MeasureLikeTheOsd("09:05", 5, 1080).cy, r.bottom - r.top);    // 7.5 % of 1080
    EXPECT_EQ(1024 + 1900 - (r.right - r.left), r.left);    // 1 % of 1920 from its right edge
    EXPECT_EQ(-120 + 27, r.top);                            // 2.5 % of 1080 from its top
    DestroyWindow(front);
}

TEST(OsdWindows, MultiLineTextIsAsWideAsItsWidestLine)
{
    SetUpOsd();
    ShowOsdText(2, "A\nWIDEST LINE\nB");
    SIZE one = MeasureLikeTheOsd("WIDEST LINE", 5);
    RECT r = WindowRect(OsdWindow(2));
    EXPECT_EQ(one.cx, r.right - r.left);
    EXPECT_EQ(3 * one.cy, r.bottom - r.top);
}

TEST(OsdWindows, OpacityFollowsOpaque)
{
    SetUpOsd();
    struct { int32_t opaque; BYTE alpha; } cases[] = { { 32, 255 }, { 16, 127 }, { 1, 7 }, { 0, 255 } };
    for (auto& c : cases) {
        OsdSettings.Opaque = c.opaque;
        ApplyOsdOpacity();
        for (int i = 0; i < 3; ++i) {
            COLORREF key = 1;
            BYTE alpha = 0;
            DWORD flags = 0;
            ASSERT_TRUE(GetLayeredWindowAttributes(OsdWindow(i), &key, &alpha, &flags));
            EXPECT_EQ(c.alpha, alpha) << "Opaque " << c.opaque;
            EXPECT_EQ(0u, key);
            EXPECT_EQ(3u, flags);
        }
    }
    // New slots start with the stored opacity.
    OsdSettings.Opaque = 4;
    CreateOsdSlot(1, 1, 0.0, 0.0);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(OsdWindow(3), NULL, &alpha, NULL);
    EXPECT_EQ(31, alpha);
}

// The time is counted, not the ticks: under Windows' default timer each
// 10 ms sleep of the tick thread lasts 15.6 ms.
TEST(OsdWindows, TextHidesWhenItsTimeIsUpHoweverLongATickLasts)
{
    SetUpOsd();
    ShowOsdText(1, "09:05");
    EXPECT_EQ(1500, OsdCountdown(1));
    TickOsd(96, 15.6);
    EXPECT_TRUE(IsWindowVisible(OsdWindow(1)));
    EXPECT_EQ(3, OsdCountdown(1));
    TickOsd(1, 15.6);
    EXPECT_FALSE(IsWindowVisible(OsdWindow(1)));
    EXPECT_EQ(0, OsdCountdown(1));
    TickOsd(1);    // a stopped countdown stays at 0
    EXPECT_EQ(0, OsdCountdown(1));
    char stored[OsdTextWidth];
    OsdText(1, stored, sizeof stored);
    EXPECT_STREQ("09:05", stored);    // the text stays stored after hiding
}

TEST(OsdWindows, SecondTextRestartsTheCountdown)
{
    SetUpOsd();
    OsdSettings.Timeout = 3;
    ShowOsdText(2, "PLAY");
    TickOsd(100);
    EXPECT_EQ(500, OsdCountdown(2));
    ShowOsdText(2, "STOP");
    EXPECT_EQ(1500, OsdCountdown(2));
    TickOsd(149);
    EXPECT_TRUE(IsWindowVisible(OsdWindow(2)));
    TickOsd(1);
    EXPECT_FALSE(IsWindowVisible(OsdWindow(2)));
    OsdSettings.Timeout = 6;
    ShowOsdText(2, "PAUSE");
    EXPECT_EQ(3000, OsdCountdown(2));
    // A stored Timeout of 0 or below still hides the text after one step.
    OsdSettings.Timeout = -7;
    ShowOsdText(2, "STOP");
    TickOsd(50);
    EXPECT_FALSE(IsWindowVisible(OsdWindow(2)));
    EXPECT_EQ(INFINITE, OsdCountdownsDueIn(Platform.getTickCount()));    // none runs
}

DWORD WINAPI TickFiftyTimes(LPVOID)
{
    TickOsd(50);
    return 0;
}

// The windows' thread busy for longer than a text's time (a save to a slow
// disk): the text is shown once the thread is back, and hidden after its
// full time from then, not left on screen for good.
TEST(OsdWindows, TextShownWhileItsThreadIsBusyHidesAfterItsTime)
{
    SetUpOsd();
    OsdSettings.Timeout = 1;
    ShowArgs a = { 1, "12:34" };
    HANDLE show = CreateThread(NULL, 0, ShowFromAnotherThread, &a, 0, NULL);
    Sleep(100);
    HANDLE tick = CreateThread(NULL, 0, TickFiftyTimes, NULL, 0, NULL);
    WaitForSingleObject(tick, 5000);    // the tick thread ends the countdown meanwhile
    CloseHandle(tick);
    while (MsgWaitForMultipleObjects(1, &show, FALSE, 5000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        PumpMessagesFor(1);
    CloseHandle(show);
    PumpMessagesFor(20);
    EXPECT_TRUE(IsWindowVisible(OsdWindow(1)));
    TickOsd(50);
    EXPECT_FALSE(IsWindowVisible(OsdWindow(1)));
}

TEST(OsdWindows, MissingSlotsAndTheDisabledOsdChangeNothing)
{
    SetUpOsd();
    ShowOsdText(3, "nothing");
    ShowOsdText(-1, "nothing");
    ShowOsdText(16, "nothing");
    OsdSettings.Enable = 0;
    ShowOsdText(0, "hidden");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(0, OsdCountdown(i));
        EXPECT_FALSE(IsWindowVisible(OsdWindow(i)));
        char stored[OsdTextWidth];
        OsdText(i, stored, sizeof stored);
        EXPECT_STREQ("", stored);
    }
}

TEST(OsdWindows, SixteenSlotsAtMost)
{
    SetUpOsd();
    for (int i = 0; i < 20; ++i)
        CreateOsdSlot(1, 1, 0.0, 0.0);
    EXPECT_EQ(16, OsdSlotCount());
    EXPECT_TRUE(OsdWindow(16) == NULL);
}

TEST(OsdWindows, LongTextsAreCutTo259Characters)
{
    SetUpOsd();
    std::string text(400, 'W');
    ShowOsdText(2, text.c_str());
    char stored[OsdTextWidth + 10];
    OsdText(2, stored, sizeof stored);
    EXPECT_EQ(std::string(259, 'W'), stored);
}

TEST(OsdWindows, NewTextSizeAndSettingsChangeNoticeMakeANewFont)
{
    SetUpOsd();
    ShowOsdText(2, "PLAY");
    EXPECT_EQ(57, WindowRect(OsdWindow(2)).bottom - WindowRect(OsdWindow(2)).top);
    OsdSettings.TextSize = 10;
    SendMessageA(OsdWindow(0), WM_WININICHANGE, 0, 0);
    ShowOsdText(2, "PLAY");
    EXPECT_EQ(MeasureLikeTheOsd("PLAY", 10).cy,
              WindowRect(OsdWindow(2)).bottom - WindowRect(OsdWindow(2)).top);
    EXPECT_GT(WindowRect(OsdWindow(2)).bottom - WindowRect(OsdWindow(2)).top, 70);
    OsdSettings.TextSize = 1;
    CreateOsdFont();
    ShowOsdText(2, "PLAY");
    EXPECT_EQ(MeasureLikeTheOsd("PLAY", 1).cy,
              WindowRect(OsdWindow(2)).bottom - WindowRect(OsdWindow(2)).top);
    EXPECT_LT(WindowRect(OsdWindow(2)).bottom - WindowRect(OsdWindow(2)).top, 45);
    EXPECT_EQ(0, SendMessageA(OsdWindow(2), WM_ERASEBKGND, 0, 0));
}

// What a person sees: the text in its colour where the window is, and the
// desktop through the black background around the glyphs.
TEST(OsdWindows, ScreenShowsTheTextAndTheDesktopAroundItsGlyphs)
{
    // A white backdrop, so that "seen through" has a colour of its own.
    HWND backdrop = MakeTestWindow("QuellonTestBackdrop", "", DefWindowProcA, WS_VISIBLE, 0, 0, 1024,
                                   768, (HBRUSH)GetStockObject(WHITE_BRUSH));
    PumpMessagesFor(200);

    SetUpOsd();
    OsdSettings.Color = RGB(255, 0, 0);
    ShowFromReceiver(2, "PLAY 00");
    PumpMessagesFor(300);
    RECT r = WindowRect(OsdWindow(2));

    Screenshot shot;
    ASSERT_TRUE(TakeScreenshot(&shot));
    ASSERT_EQ(1024, shot.width);
    int red = 0, white = 0, black = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const unsigned char* p = PixelAt(shot, x, y);
            red += p[0] == 255 && p[1] == 0 && p[2] == 0;
            white += p[0] == 255 && p[1] == 255 && p[2] == 255;
            black += p[0] == 0 && p[1] == 0 && p[2] == 0;
        }
    int area = (r.right - r.left) * (r.bottom - r.top);
    EXPECT_GT(red, area / 50) << "text colour where the window is";
    EXPECT_GT(white, area / 4) << "desktop visible around the glyphs";
    EXPECT_EQ(0, black) << "the black background is keyed out";
    // Outside the window the backdrop is untouched.
    const unsigned char* outside = PixelAt(shot, r.right + 20, r.bottom + 20);
    EXPECT_EQ(255, outside[1]);
    DestroyWindow(backdrop);
}
