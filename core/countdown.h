// Countdowns shared between the thread that starts them and the tick thread
// that ends them, and the event that wakes the tick thread when one starts:
// with every countdown at 0 it sleeps on that event, not on a timer.
//
// A countdown holds the tick count (GetTickCount, through the platform
// table) at which it ends, or 0 while none runs. Elapsed time decides, and
// the tick thread sleeps until the first end: a pass every 10 ms would wake
// it a hundred times a second while a text is shown.
#pragma once
#include <windows.h>

enum {
    FlashMs = 150,            // how long the tray icon shows the flash icon
    CountdownPollMs = 10,     // the tick thread's look without its event
};

// The tray icon's flash; 0 when the normal icon is wanted.
extern volatile LONG FlashCountdown;

// Makes the wake-up event. Start-up, before the threads; false when it could
// not be made (the tick thread then looks every CountdownPollMs instead).
bool InitCountdowns();

// Starts a countdown of ms (at most INT32_MAX) from now, or starts it again,
// and wakes the tick thread. Any thread; never waits.
void StartCountdown(volatile LONG* countdown, DWORD ms);

// Shows the flash icon for FlashMs. Any thread.
void FlashTrayIcon();

// The key path's flash: armed at once, but the idle tick thread (a trip to
// the window server, and a thread that then shares the machine) is woken
// only once the key's actions have run, by StartArmedFlash, which also
// counts the flash's time from then. True when StartArmedFlash is owed.
bool ArmTrayFlash();
void StartArmedFlash();
void WakeTickThread();

// Waits until a countdown is started or ms pass; true when one was started.
// Only the tick thread waits here.
bool WaitForCountdownStart(DWORD ms);

// Milliseconds left of a countdown at now: 0 when none runs, and at least 1
// from its start until the tick thread ends it.
LONG CountdownLeft(const volatile LONG* countdown, DWORD now);

// Milliseconds from now until a countdown is due to end: 0 when it is due,
// INFINITE when none runs.
DWORD CountdownDueIn(const volatile LONG* countdown, DWORD now);

// Ends a countdown whose time is up at now; nonzero when this call ended it.
// A countdown started again meanwhile by another thread runs on.
int EndCountdownIfDue(volatile LONG* countdown, DWORD now);
