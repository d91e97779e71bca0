// One copy per user session: Windows 7 and later hide a new tray icon, so a
// user who sees nothing happen starts us again.
#pragma once

// Called first, before anything touches a file. True when another copy runs
// in this session: it has been asked to show its Configuration dialog (one
// that runs as administrator cannot be asked, and the user is told so), and
// this copy must end at once.
bool HandOverToRunningCopy();

// Once the Configuration dialog exists: lets a later start find it and ask
// for it to be shown.
void PublishConfigDialog();

// When the main loop has ended: a later start no longer asks this copy.
void TakeBackConfigDialog();
// Once both files are saved: a later start runs as the first copy.
void LetNextCopyRun();
