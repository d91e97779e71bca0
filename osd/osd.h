// The on-screen display: borderless, topmost, partly transparent windows
// that show a short text and hide themselves after the configured time.
#pragma once
#include <windows.h>
#include <stdint.h>

enum {
    OsdSlotVolume = 0,
    OsdSlotClock = 1,
    OsdSlotStatus = 2,
    OsdMaxSlots = 16,
    OsdTextWidth = 260,
};

// Sets up the brush, the font and the window class. Main thread, once.
void InitOsd();

// Appends a slot with its own hidden window; a seventeenth does nothing.
void CreateOsdSlot(uint8_t horizontalAnchor, uint8_t verticalAnchor,
                   double horizontalFraction, double verticalFraction);

// Shows text (cut to 259 characters) in the slot for Timeout x 50 ticks
// (see OsdCountdownTicks) and wakes the tick thread. Any thread; does
// nothing while the OSD is disabled.
void ShowOsdText(int32_t slot, const char* text);

// One countdown step over all slots; hides those that reach 0.
void TickOsdSlots();

// Nonzero while any slot's countdown runs: the tick thread idles otherwise.
int OsdCountdownsRunning();

// A new font for the current TextSize and screen height.
void CreateOsdFont();

// The current Opaque applied to every slot window.
void ApplyOsdOpacity();

// Read-only views for the clock action and for tests.
int32_t OsdSlotCount();
int32_t OsdCountdown(int32_t slot);
HWND OsdWindow(int32_t slot);
// Copies the slot's text into out (size bytes, always terminated).
void OsdText(int32_t slot, char* out, size_t size);
