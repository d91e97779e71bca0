// Shutdown, reboot, lock and monitor power reach recorders in place of the
// platform; the clock's texts and the order of its formats on the real OSD.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/clock.h"
#include "actions/system.h"
#include "config/settings.h"
#include "core/app_state.h"
#include "platform/platform.h"
#include "osd/osd.h"
#include "tests/support/fake_dialog.h"
#include "tests/support/osd_slots.h"

namespace {

std::vector<std::string> Calls;

void Record(const char* format, long long a, long long b = 0, long long c = 0, long long d = 0)
{
    char line[128];
    _snprintf(line, sizeof line, format, a, b, c, d);
    line[sizeof line - 1] = '\0';
    Calls.push_back(line);
}

// Whether this process's token has the shutdown privilege enabled;
// disable switches it off first.
bool ShutdownPrivilegeEnabled(bool disable = false)
{
    HANDLE token;
    PRIVILEGE_SET p = { 1, PRIVILEGE_SET_ALL_NECESSARY, { { { 0, 0 }, SE_PRIVILEGE_ENABLED } } };
    OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token);
    LookupPrivilegeValueA(NULL, "SeShutdownPrivilege", &p.Privilege[0].Luid);
    TOKEN_PRIVILEGES off = { 1, { { p.Privilege[0].Luid, 0 } } };
    if (disable)
        AdjustTokenPrivileges(token, FALSE, &off, 0, NULL, NULL);
    BOOL enabled = FALSE;
    PrivilegeCheck(token, &p, &enabled);
    CloseHandle(token);
    return enabled != FALSE;
}

BOOL WINAPI RecordExit(UINT flags, DWORD reason)
{
    Record("exit %lld %lld privilege %lld", flags, reason, ShutdownPrivilegeEnabled());
    return TRUE;
}

BOOL WINAPI RecordLock() { Record("lock", 0); return TRUE; }
LockWorkStationFn FindRecorder() { Record("find", 0); return RecordLock; }
LockWorkStationFn FindNothing() { Record("find", 0); return NULL; }

LRESULT WINAPI RecordDefault(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    Record("default %lld %#llx %#llx %lld", w == ConfigDialog, m, wp, lp);
    return 0;
}

UINT WINAPI RecordInput(UINT count, LPINPUT in, int size)
{
    for (UINT i = 0; i < count; ++i)
        Record("input of %lld: move %lld, %lld %lld", count,
               in[i].type == INPUT_MOUSE && in[i].mi.dwFlags == MOUSEEVENTF_MOVE && size == sizeof(INPUT),
               in[i].mi.dx, in[i].mi.dy);
    return count;
}

SYSTEMTIME Now;
void WINAPI FixedLocalTime(LPSYSTEMTIME t) { *t = Now; }

SYSTEMTIME Time(WORD y, WORD mo, WORD dow, WORD d, WORD h, WORD mi)
{
    SYSTEMTIME t = { y, mo, dow, d, h, mi, 30, 500 };
    return t;
}

}  // namespace

TEST(ExitSystem, EnablesTheShutdownPrivilegeThenAsksWithoutForce)
{
    Platform.exitWindowsEx = RecordExit;
    ASSERT_FALSE(ShutdownPrivilegeEnabled(true));
    ExitSystem(EWX_POWEROFF);
    ASSERT_FALSE(ShutdownPrivilegeEnabled(true));
    ExitSystem(EWX_REBOOT);
    Platform = RealPlatform;
    EXPECT_EQ((std::vector<std::string>{ "exit 8 0 privilege 1", "exit 2 0 privilege 1" }), Calls);
}

TEST(LockComputer, LooksTheEntryUpOnNtAndCallsItWhenPresent)
{
    Platform.findLockWorkStation = FindRecorder;
    NtFlag = 0;
    LockComputer();
    EXPECT_TRUE(Calls.empty());
    NtFlag = 1;
    LockComputer();
    Platform.findLockWorkStation = FindNothing;
    LockComputer();
    Platform = RealPlatform;
    EXPECT_EQ((std::vector<std::string>{ "find", "lock", "find" }), Calls);
    // The real lookup finds user32's entry.
    EXPECT_TRUE(RealPlatform.findLockWorkStation()
                == (LockWorkStationFn)(void*)GetProcAddress(GetModuleHandleA("user32.dll"),
                                                            "LockWorkStation"));
}

TEST(SetMonitorPower, PassesTheStateToTheDefaultProcedureAndOnMovesThePointerAPixelAndBack)
{
    CreateFakeConfigDialog();
    Platform.defWindowProc = RecordDefault;
    Platform.sendInput = RecordInput;
    SetMonitorPower(2);
    for (int x : { 100, 0 }) {
        SetCursorPos(x, 100);
        SetMonitorPower(-1);
    }
    Platform = RealPlatform;
    const char *on = "default 1 0x112 0xf170 -1", *left = "input of 2: move 1, -1 0",
               *right = "input of 2: move 1, 1 0";
    EXPECT_EQ((std::vector<std::string>{ "default 1 0x112 0xf170 2", on, left, right, on, right, left }), Calls);
}

TEST(ShowClock, ThreeFormatsOfFixedLocalTimes)
{
    struct { SYSTEMTIME t; const char* text[3]; } cases[] = {
        { Time(2026, 12, 1, 7, 9, 5), { "09:05", "MON, 07 DEC", "07-12-2026" } },
        { Time(2027, 1, 0, 31, 23, 59), { "23:59", "SUN, 31 JAN", "31-01-2027" } },
        { Time(1999, 5, 6, 1, 0, 0), { "00:00", "SAT, 01 MAY", "01-05-1999" } },
        { Time(2024, 2, 4, 29, 12, 30), { "12:30", "THU, 29 FEB", "29-02-2024" } },
        { Time(10000, 13, 7, 1, 12, 30), { "12:30", ", 01 ", "01-13-10000" } },    // out of range
    };
    for (auto& c : cases)
        for (int32_t i = 0; i < ClockFormatCount; ++i) {
            char text[ClockTextSize];
            FormatClockText(text, sizeof text, i, c.t);
            EXPECT_STREQ(c.text[i], text);
        }
    char tiny[6];
    FormatClockText(tiny, sizeof tiny, 1, cases[0].t);
    EXPECT_STREQ("MON, ", tiny);
}

TEST(ShowClock, PressesWhileTheTextIsShownStepThroughTheFormats)
{
    SetUpOsdSlots();
    HoldClock();
    Now = Time(2026, 12, 1, 7, 9, 5);
    Platform.getLocalTime = FixedLocalTime;
    const char* expected[] = { "09:05", "MON, 07 DEC", "07-12-2026", "09:05", "MON, 07 DEC" };
    for (const char* text : expected) {
        ShowClock();
        EXPECT_EQ(text, OsdSlotText(OsdSlotClock));
        TickOsd(149);    // the next press comes just inside the timeout
    }
    TickOsd(1);
    ASSERT_FALSE(OsdSlotShown(OsdSlotClock));
    ShowClock();
    EXPECT_EQ("09:05", OsdSlotText(OsdSlotClock));
    HideOsdSlots();

    // With the OSD disabled nothing is shown, no countdown runs, and the
    // next shown text is the time.
    OsdSettings.Enable = 0;
    Now.wMinute = 6;
    for (int i = 0; i < 3; ++i) {
        ShowClock();
        EXPECT_FALSE(OsdSlotShown(OsdSlotClock));
        EXPECT_EQ("09:05", OsdSlotText(OsdSlotClock));
    }
    OsdSettings.Enable = 1;
    ShowClock();
    Platform = RealPlatform;
    EXPECT_EQ("09:06", OsdSlotText(OsdSlotClock));
}
