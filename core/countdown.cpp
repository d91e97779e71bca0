// The wake-up event of the tick thread, and the tray icon's flash countdown.
#include "core/countdown.h"

volatile LONG FlashCountdown;

// Auto-reset: a start seen while the thread ticks anyway costs one spare
// look at the countdowns when it next goes idle, never a missed start.
static HANDLE CountdownStarted;

bool InitCountdowns()
{
    if (!CountdownStarted)
        CountdownStarted = CreateEventA(NULL, FALSE, FALSE, NULL);
    return CountdownStarted != NULL;
}

void WakeTickThread()
{
    if (CountdownStarted)
        SetEvent(CountdownStarted);
}

// The value goes first, so that the woken thread finds it running. A
// countdown that was running already has the thread ticking: no wake-up.
static bool SetCountdown(volatile LONG* countdown, LONG ticks)
{
    return InterlockedExchange(countdown, ticks) <= 0;
}

void StartCountdown(volatile LONG* countdown, LONG ticks)
{
    if (SetCountdown(countdown, ticks))
        WakeTickThread();
}

bool WaitForCountdownStart(DWORD ms)
{
    // Without the event (it could not be made) the thread looks again every
    // tick instead of spinning on a wait that fails at once.
    if (!CountdownStarted) {
        Sleep(ms < (DWORD)CountdownPollMs ? ms : (DWORD)CountdownPollMs);
        return true;
    }
    return WaitForSingleObject(CountdownStarted, ms) == WAIT_OBJECT_0;
}

void FlashTrayIcon()
{
    // The tick thread shows the flash icon at its next tick.
    StartCountdown(&FlashCountdown, FlashTicks);
}

bool ArmTrayFlash()
{
    return SetCountdown(&FlashCountdown, FlashTicks);
}
