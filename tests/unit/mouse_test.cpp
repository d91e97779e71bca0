// Mouse emulation: acceleration, the debug line and the input records of
// every press, with the tick count fixed and the injected records recorded.
#include <gtest/gtest.h>
#include <limits.h>
#include <math.h>

#include <vector>

#include "actions/mouse.h"
#include "config/settings.h"
#include "platform/platform.h"
#include "tests/support/debug_output.h"

namespace {

DWORD FakeTick;
std::vector<std::vector<INPUT>> Injected;
std::vector<int> RecordSizes;

DWORD WINAPI FixedTick() { return FakeTick; }

UINT WINAPI RecordInput(UINT count, LPINPUT inputs, int size)
{
    Injected.push_back(std::vector<INPUT>(inputs, inputs + count));
    RecordSizes.push_back(size);
    return count;
}

const size_t SwappedPresses = 4;
const DWORD Move = MOUSEEVENTF_MOVE, LDown = MOUSEEVENTF_LEFTDOWN, LUp = MOUSEEVENTF_LEFTUP,
            RDown = MOUSEEVENTF_RIGHTDOWN, RUp = MOUSEEVENTF_RIGHTUP;

struct Press {
    DWORD tick;
    int32_t multiplier;
    int32_t code;
    const char* line;
    int32_t dx, dy;
    int count;
    DWORD flags[4];
};

// One run from program start; each row follows the one before.
const Press Presses[] = {
    { 5000, 50, 3, "td: 5000    step: 1.000\n", 1, 0, 1, { Move } },      // after a pause: 1
    { 5200, 50, 3, "td: 200    step: 6.000\n", 6, 0, 1, { Move } },       // 200 ms apart: 1, 6, 11, 16
    { 5400, 50, 3, "td: 200    step: 11.000\n", 11, 0, 1, { Move } },
    { 5600, 50, 1, "td: 200    step: 16.000\n", 0, 16, 1, { Move } },
    { 6300, 50, 0, "td: 700    step: 16.000\n", 0, -16, 1, { Move } },    // 700 adds nothing
    { 7300, 50, 2, "td: 1000    step: 16.000\n", -16, 0, 1, { Move } },   // 1000 keeps the step
    { 8301, 50, 3, "td: 1001    step: 1.000\n", 1, 0, 1, { Move } },      // 1001 resets it
    { 8411, 50, 0, "td: 110    step: 6.900\n", 0, -6, 1, { Move } },      // 6.9 moves 6
    { 8521, 50, 2, "td: 110    step: 12.800\n", -12, 0, 1, { Move } },
    { 0xFFFFFFF0, 50, 3, "td: -8537    step: 1.000\n", 1, 0, 1, { Move } },   // unsigned: a pause
    { 188, 50, 3, "td: 204    step: 5.960\n", 5, 0, 1, { Move } },          // across the wrap
    { 300, 0, 3, "td: 112    step: 5.960\n", 5, 0, 1, { Move } },           // multiplier 0
    { 2000, 0, 3, "td: 1700    step: 1.000\n", 1, 0, 1, { Move } },
    { 2100, 0, 1, "td: 100    step: 1.000\n", 0, 1, 1, { Move } },
    { 2200, 50, 4, "td: 100    step: 7.000\n", 0, 0, 2, { LDown, LUp } },   // clicks count too
    { 2300, 50, 5, "td: 100    step: 13.000\n", 0, 0, 2, { RDown, RUp } },
    { 2400, 50, 6, "td: 100    step: 19.000\n", 0, 0, 4, { LDown, LUp, LDown, LUp } },
    { 2500, 50, 1, "td: 100    step: 25.000\n", 0, 25, 1, { Move } },
    // Unclamped multipliers from settings.ini: moves stop at the largest step.
    { 2500, INT_MAX, 3, "td: 0    step: 300647735.580\n", MaxMouseMove, 0, 1, { Move } },
    { 2500, INT_MIN, 3, "td: 0    step: 24.860\n", 24, 0, 1, { Move } },
    { 2500, INT_MIN, 0, "td: 0    step: -300647685.860\n", 0, MaxMouseMove, 1, { Move } },
    // The last rows with the buttons swapped: the primary one is the right one.
    { 5000, 50, 4, "td: 2500    step: 1.000\n", 0, 0, 2, { RDown, RUp } },
    { 5100, 50, 5, "td: 100    step: 7.000\n", 0, 0, 2, { LDown, LUp } },
    { 5200, 50, 6, "td: 100    step: 13.000\n", 0, 0, 4, { RDown, RUp, RDown, RUp } },
    { 5300, 50, 3, "td: 100    step: 19.000\n", 19, 0, 1, { Move } },
};

}  // namespace

TEST(MouseCommand, AccelerationRecordsAndDebugLinesOfARun)
{
    Platform.getTickCount = FixedTick;
    Platform.sendInput = RecordInput;
    MouseStep = 0;
    LastMouseTick = 0;
    DebugOutputCapture* capture = StartDebugOutputCapture();
    size_t n = sizeof Presses / sizeof Presses[0];
    for (size_t i = 0; i < n; ++i) {
        FakeTick = Presses[i].tick;
        Settings.MouseMultiplier = Presses[i].multiplier;
        SwapMouseButton(i + SwappedPresses >= n);
        MouseCommand(Presses[i].code);
    }
    SwapMouseButton(FALSE);
    MouseCommand(7);    // no such code: nothing at all
    MouseCommand(-1);
    std::vector<std::string> lines = StopDebugOutputCapture(capture, n + 1, 1000);
    Platform = RealPlatform;

    ASSERT_EQ(n, Injected.size());
    ASSERT_EQ(n, lines.size());
    for (size_t i = 0; i < n; ++i) {
        const Press& p = Presses[i];
        EXPECT_EQ(p.line, lines[i]) << "press " << i;
        EXPECT_EQ((int)sizeof(INPUT), RecordSizes[i]);
        ASSERT_EQ((size_t)p.count, Injected[i].size()) << "press " << i;
        for (int e = 0; e < p.count; ++e) {
            const INPUT& in = Injected[i][e];
            EXPECT_EQ((DWORD)INPUT_MOUSE, in.type);
            EXPECT_EQ(p.dx, in.mi.dx) << "press " << i;
            EXPECT_EQ(p.dy, in.mi.dy) << "press " << i;
            EXPECT_EQ(p.flags[e], in.mi.dwFlags) << "press " << i << " event " << e;
            EXPECT_EQ(0u, in.mi.mouseData + in.mi.time + (DWORD)in.mi.dwExtraInfo);
        }
    }
}

TEST(MouseCommand, StepsBeyondAnyScreenAreCutAndNeverOverflow)
{
    const double steps[] = { 6.9, -6.9, 1e300, -1e300, HUGE_VAL, -HUGE_VAL, NAN, 99999.99 };
    const int32_t pixels[] = { 6, -6, MaxMouseMove, -MaxMouseMove, MaxMouseMove, -MaxMouseMove, 0, 99999 };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(pixels[i], MouseStepPixels(steps[i])) << steps[i];
}
