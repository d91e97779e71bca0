// Tick countdowns shared between the thread that starts them and the tick
// thread that steps them, and the event that wakes the tick thread when one
// starts: with every countdown at 0 it sleeps on that event, not on a timer.
#pragma once
#include <windows.h>

enum {
    FlashTicks = 15,          // ticks the tray icon shows the flash icon
    CountdownPollMs = 10,     // the tick thread's look without its event
};

// The tray icon's flash: ticks left, 0 when the normal icon is wanted.
extern volatile LONG FlashCountdown;

// Makes the wake-up event. Start-up, before the threads; false when it could
// not be made (the tick thread then looks every CountdownPollMs instead).
bool InitCountdowns();

// Sets a countdown and wakes the tick thread. Any thread; never waits.
void StartCountdown(volatile LONG* countdown, LONG ticks);

// Shows the flash icon for FlashTicks ticks. Any thread.
void FlashTrayIcon();

// The key path's flash: the countdown is set at once, but waking the idle
// tick thread (a trip to the window server, and a thread that then shares
// the machine) waits until the key's actions have run. True when
// WakeTickThread is owed.
bool ArmTrayFlash();
void WakeTickThread();

// Waits until a countdown is started or ms pass; true when one was started.
// Only the tick thread waits here.
bool WaitForCountdownStart(DWORD ms);

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
