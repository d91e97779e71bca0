// Mouse emulation: relative moves that grow while presses follow each other
// quickly, and button clicks, each command injected as one sequence.
#include "actions/mouse.h"

#include <windows.h>
#include <stdio.h>

#include "platform/platform.h"
#include "core/preferences.h"

double MouseStep;
uint32_t LastMouseTick;

enum { MouseCodeCount = 7, MaxMouseEvents = 4 };

// One row per code: the events it sends, in order. A move's direction is
// the sign its offsets get; button events carry no offset.
struct MouseCommandRow {
    int32_t dx;
    int32_t dy;
    int32_t count;
    DWORD flags[MaxMouseEvents];
};

static const MouseCommandRow MouseCommands[MouseCodeCount] = {
    { 0, -1, 1, { MOUSEEVENTF_MOVE } },                                  // up
    { 0, 1, 1, { MOUSEEVENTF_MOVE } },                                   // down
    { -1, 0, 1, { MOUSEEVENTF_MOVE } },                                  // left
    { 1, 0, 1, { MOUSEEVENTF_MOVE } },                                   // right
    { 0, 0, 2, { MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP } },           // primary click
    { 0, 0, 2, { MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP } },         // secondary click
    { 0, 0, 4, { MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP,
                 MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP } },           // primary double click
};

// Windows applies the swapped buttons of the mouse settings to injected
// input too: a left-button flag names the physical button. The clicks mean
// the primary and secondary buttons, so a left-handed user's swap is undone
// here, read at each click since it can change while we run.
static DWORD ButtonAsMeant(DWORD flag, bool swapped)
{
    static const DWORD Pairs[][2] = {
        { MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN },
        { MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTUP },
    };
    if (swapped)
        for (const auto& pair : Pairs)
            for (int i = 0; i < 2; ++i)
                if (flag == pair[i])
                    return pair[1 - i];
    return flag;
}

double AcceleratedMouseStep(double step, uint32_t td, int32_t multiplier)
{
    if (td <= 700)
        return ((multiplier * 0.01) * (double)(700 - td)) / 50 + step;
    if (td > 1000)
        return 1.0;
    return step;
}

int32_t MouseStepPixels(double step)
{
    // The multiplier comes unclamped from settings.ini: a step beyond the
    // range of an int (or not a number) must not reach the conversion.
    if (step >= MaxMouseMove)
        return MaxMouseMove;
    if (step <= -MaxMouseMove)
        return -MaxMouseMove;
    if (step != step)
        return 0;
    return (int32_t)step;
}

void MouseCommand(int32_t code)
{
    if (code < 0 || code >= MouseCodeCount)
        return;
    uint32_t td = (uint32_t)Platform.getTickCount() - LastMouseTick;
    LastMouseTick = (uint32_t)Platform.getTickCount();
    MouseStep = AcceleratedMouseStep(MouseStep, td, Settings.MouseMultiplier);

    // Room for the longest step any double prints with three decimals.
    char line[400];
    int n = _snprintf(line, sizeof line, "td: %d    step: %.3f\n", (int)td, MouseStep);
    if (n < 0 || (size_t)n >= sizeof line)
        line[sizeof line - 1] = '\0';
    OutputDebugStringA(line);

    const MouseCommandRow& row = MouseCommands[code];
    int32_t pixels = MouseStepPixels(MouseStep);
    bool swapped = row.flags[0] != MOUSEEVENTF_MOVE && GetSystemMetrics(SM_SWAPBUTTON);
    INPUT events[MaxMouseEvents];
    ZeroMemory(events, sizeof events);
    for (int32_t i = 0; i < row.count; ++i) {
        events[i].type = INPUT_MOUSE;
        events[i].mi.dx = row.dx * pixels;
        events[i].mi.dy = row.dy * pixels;
        events[i].mi.dwFlags = ButtonAsMeant(row.flags[i], swapped);
    }
    Platform.sendInput((UINT)row.count, events, (int)sizeof(INPUT));
}
