// The receiver thread: stands in for the card maker's TV application while
// none of its applications runs, and handles every key press and action.
#pragma once
#include <windows.h>

enum {
    TvWindowNotice = 0x0A01,    // to the reminder: a TV window is there
    FmWindowNotice = 0x0A02,    // to the reminder: the FM window is there
};

extern const char ImpersonationClass[];    // the maker's TV window class
extern const char TrickWindowTitle[];
extern const char ReminderName[];          // class and title of the reminder window

// Registers the window class the reminder delivers key presses to; its
// windows are handled by the key-press procedure.
void RegisterImpersonationClass();

// Starts the thread; it runs until the process ends.
void StartReceiverThread();

// Removes the "Trick Wnd" for good as the program ends, so that the
// reminder delivers no key press to a program on its way out. Waits at
// most ms for the thread, which may be running a key's actions.
void EndStandIn(DWORD ms);
