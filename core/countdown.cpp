// The wake-up event of the tick thread.
#include "core/countdown.h"

// Auto-reset: a start seen while the thread ticks anyway costs one spare
// look at the countdowns when it next goes idle, never a missed start.
static const HANDLE CountdownStarted = CreateEventA(NULL, FALSE, FALSE, NULL);

void StartCountdown(volatile LONG* countdown, LONG ticks)
{
    // The value goes first, so that the woken thread finds it running.
    InterlockedExchange(countdown, ticks);
    SetEvent(CountdownStarted);
}

bool WaitForCountdownStart(DWORD ms)
{
    return WaitForSingleObject(CountdownStarted, ms) == WAIT_OBJECT_0;
}
