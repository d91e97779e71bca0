// The notification-area icon: its flash on key presses, the tick thread that
// times the flash and the OSD, the tray menu and the About box.
#pragma once
#include <windows.h>

#include "core/countdown.h"

enum { TrayCallbackMessage = 3004 };

// Registers the tray handler and the About box of the Configuration dialog,
// adds the icon and starts the tick thread. The flash is started with
// FlashTrayIcon (core/countdown.h).
void AddTrayIcon();
void RemoveTrayIcon();

// Shows text once in a balloon at the icon, where the shell has balloons;
// one that the shell cannot take yet (at sign-in) waits for the icon.
void ShowTrayBalloon(const char* text);

// Shows the Configuration dialog in front, as the tray menu's Configuration does.
void ShowConfigDialog();

// The icon the shell was last given, for tests: the flash or the normal one.
HICON TrayIconShown();
