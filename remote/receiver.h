// The receiver thread: stands in for the card maker's TV application while
// none of its applications runs, and handles every key press and action.
#pragma once

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
