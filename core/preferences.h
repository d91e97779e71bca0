// The user's preferences as the running program holds them: mouse speed,
// tray behaviour and the look of the on-screen display.
#pragma once
#include <stdint.h>

struct SettingsRecord {
    int32_t MouseMultiplier;    // acceleration of the mouse-pointer actions
    int32_t TrayDoubleClick;    // 1: double click starts the maker's application
    int32_t RepeatGap;          // ms: the same code again within it holds the key
    int32_t LongPress;          // ms: a press held this long is a long press
};

struct OsdSettingsRecord {
    int32_t Enable;     // 0: no OSD text is shown
    int32_t Color;      // text colour, 0x00BBGGRR
    int32_t TextSize;   // font height (TextSize x 0.005 + 0.05) x screen height
    int32_t Timeout;    // display time, Timeout x 50 ticks
    int32_t Opaque;     // alpha: low 8 bits of Opaque x 8 - 1
};

// Both hold their defaults from process start. Values loaded from the file
// are taken as they stand, without clamping.
extern SettingsRecord Settings;
extern OsdSettingsRecord OsdSettings;
