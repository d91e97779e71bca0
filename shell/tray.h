// The notification-area icon: its flash on key presses, the tick thread that
// times the flash and the OSD, the tray menu and the About box.
#pragma once
#include <windows.h>

enum {
    TrayCallbackMessage = 3004,
    FlashTicks = 15,
};

// Registers the tray handler, adds the icon and starts the tick thread.
void AddTrayIcon();
void RemoveTrayIcon();

// Shows the flash icon for FlashTicks ticks. Any thread.
void FlashTrayIcon();

// Nonzero while the flash icon is shown; for tests and diagnostics.
int TrayFlashCountdown();
HICON TrayIconShown();

// The About box, owned by the Configuration dialog.
int ShowAboutBox();
