// The wake-up event of the tick thread, the tray icon's flash countdown and
// the arithmetic of ending times.
#include "core/countdown.h"

#include "platform/platform.h"

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

// Signed distance between two tick counts, right across the wrap of the
// count every 49.7 days.
static LONG TicksUntil(LONG end, DWORD now)
{
    return (LONG)((DWORD)end - now);
}

// The ending tick of a countdown of ms from now; 0 is kept for "none runs".
static LONG EndingTick(DWORD ms)
{
    DWORD end = Platform.getTickCount() + ms;
    return end ? (LONG)end : 1;
}

// The value goes first, so that the woken thread finds it running. A
// countdown that was running already has the thread waiting for its end or
// an earlier one: only an end earlier than that needs a wake-up (a Timeout
// made shorter while a text is shown).
static bool SetCountdown(volatile LONG* countdown, DWORD ms)
{
    LONG end = EndingTick(ms);
    LONG old = InterlockedExchange(countdown, end);
    return old == 0 || TicksUntil(end, (DWORD)old) < 0;
}

void StartCountdown(volatile LONG* countdown, DWORD ms)
{
    if (SetCountdown(countdown, ms))
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
    StartCountdown(&FlashCountdown, FlashMs);
}

bool ArmTrayFlash()
{
    return SetCountdown(&FlashCountdown, FlashMs);
}

void StartArmedFlash()
{
    InterlockedExchange(&FlashCountdown, EndingTick(FlashMs));
    WakeTickThread();
}

DWORD CountdownDueIn(const volatile LONG* countdown, DWORD now)
{
    LONG end = *countdown;
    if (!end)
        return INFINITE;
    LONG left = TicksUntil(end, now);
    return left > 0 ? (DWORD)left : 0;
}

LONG CountdownLeft(const volatile LONG* countdown, DWORD now)
{
    LONG end = *countdown;
    if (!end)
        return 0;
    LONG left = TicksUntil(end, now);
    return left > 0 ? left : 1;
}

int EndCountdownIfDue(volatile LONG* countdown, DWORD now)
{
    LONG end = *countdown;
    if (!end || TicksUntil(end, now) > 0)
        return 0;
    return InterlockedCompareExchange(countdown, 0, end) == end;
}
