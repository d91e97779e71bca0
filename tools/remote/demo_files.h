// The demonstration profile.cfg and settings.ini that the run command puts
// beside quellon.exe for someone trying Quellon without the TV card.
#pragma once

// Writes each of the two files into dir (ending in a backslash) only when
// it does not exist yet, each whole or not at all: a failure leaves no part
// of it. Returns how many files were written, -1 on failure.
int WriteDemoFiles(const char* dir);
