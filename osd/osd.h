// The on-screen display: borderless, topmost, partly transparent windows
// that show a short text and hide themselves after the configured time.
#pragma once
#include <windows.h>
#include <stdint.h>

#include "core/feedback.h"

enum {
    OsdMaxSlots = 16,
    OsdTextWidth = 260,
};

// Sets up the lock, the brush, the font and the window class, and makes
// ShowOsdText show texts in the slots. Main thread, before the other threads.
void InitOsd();

// Appends a slot with its own hidden window; a seventeenth does nothing.
void CreateOsdSlot(uint8_t horizontalAnchor, uint8_t verticalAnchor,
                   double horizontalFraction, double verticalFraction);

// ShowOsdText (core/feedback.h) shows text, cut to 259 characters, in the
// slot for Timeout x 500 ms (see OsdDisplayMs) and wakes the tick
// thread; it does nothing while the OSD is disabled. From another thread
// the slot's window is placed and shown by its own thread, which counts the
// time from then on: a busy main thread neither keeps a text on screen for
// good nor hides a fresh one at once.

// One look at the clock for all slots; those whose time is up are hidden by
// their window's thread, unless a new text came meanwhile.
void TickOsdSlots();

// Milliseconds from now until the first slot's countdown is due to end (0:
// one is due), INFINITE when none runs: the tick thread sleeps that long.
DWORD OsdCountdownsDueIn(DWORD now);

// A new font for the current TextSize and screen height.
void CreateOsdFont();

// The current Opaque applied to every slot window.
void ApplyOsdOpacity();

// Read-only views of the slots, for tests: what is on screen and where.
int32_t OsdSlotCount();
HWND OsdWindow(int32_t slot);
// Copies the slot's text into out (size bytes, always terminated).
void OsdText(int32_t slot, char* out, size_t size);
