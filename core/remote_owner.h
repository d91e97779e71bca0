// Who has the remote: Quellon, or one of the card maker's applications, for
// which the receiver thread steps aside. The tray tells it in its tooltip.
#pragma once
#include <windows.h>

// Posted to ConfigDialog, whose thread owns the tray icon, when the remote
// changes hands.
enum { RemoteOwnerMessage = WM_APP + 0x21 };

// The receiver thread, after each of its passes: whether one of the maker's
// applications runs. Only a change is posted; the thread never waits.
void NoteVendorAppRunning(bool running);

// Nonzero while one of the maker's applications has the remote. Any thread.
int VendorAppRunning();
