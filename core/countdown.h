// Tick countdowns shared between the thread that starts them and the tick
// thread that steps them.
#pragma once
#include <windows.h>

// Steps a running countdown down by one; nonzero when this step ended it.
// A countdown restarted meanwhile by another thread is not stepped over:
// only the value seen is decremented.
inline int StepCountdown(volatile LONG* countdown)
{
    for (;;) {
        LONG c = *countdown;
        if (c <= 0)
            return 0;
        if (InterlockedCompareExchange(countdown, c - 1, c) == c)
            return c == 1;
    }
}
