// The first run: once, a balloon on the tray icon says that Quellon runs,
// since on Windows 7 and later a new icon goes into the hidden overflow.
#pragma once

// True when no profile.cfg is found where it is read from.
bool IsFirstRun();

// Shows the balloon on the tray icon, where the shell has balloons.
void ShowFirstRunBalloon();
