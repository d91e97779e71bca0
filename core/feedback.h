// Feedback texts on screen, as the executors ask for them. The on-screen
// display registers at start-up how a text is shown; before that, and in a
// program without one, a text goes nowhere.
#pragma once
#include <stdint.h>

enum {
    OsdSlotVolume = 0,
    OsdSlotClock = 1,
    OsdSlotStatus = 2,
};

typedef void (*ShowOsdTextFn)(int32_t slot, const char* text);
typedef int32_t (*OsdCountdownFn)(int32_t slot);

// Start-up, before the receiver thread runs.
void RegisterOsdText(ShowOsdTextFn show, OsdCountdownFn countdown);

// Shows text in the slot for the configured time. Any thread; never waits
// for another thread.
void ShowOsdText(int32_t slot, const char* text);

// Milliseconds left of the slot's text on screen; 0 when none is shown.
int32_t OsdCountdown(int32_t slot);
