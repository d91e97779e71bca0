// "Start Quellon when I sign in": a shortcut named Quellon.lnk in the user's
// Startup folder, the one the installer makes too. The shortcut is the
// setting: nothing of it goes into settings.ini or the registry.
#pragma once

// Whether the Startup folder holds Quellon.lnk.
bool StartupShortcutExists();

// Makes Quellon.lnk, starting the running quellon.exe in its own folder,
// unless one is there already; false when none could be made.
bool CreateStartupShortcut();

// Deletes Quellon.lnk; true when none is left.
bool DeleteStartupShortcut();

// The Settings dialog's check box: its route, and its state from the
// Startup folder each time the dialog is shown.
void AddStartupCheckBox();
void ShowStartupCheckBox();
