// Finding the window a "Send Message" or "Virtual Key" binding names by the
// class and title stored in its record.
#pragma once
#include <windows.h>

// The first visible top-level window, in the order FindWindowA searches,
// whose class and title match; when none is visible, the first hidden one
// (a player minimised to the tray still takes posted messages). name NULL
// matches any title; an empty class finds nothing. A stored text matches a
// window's text as FindWindowA compares them, or as the ANSI functions read
// it, with '?' for each character outside the code page: what the
// find-window tool stored. Case is ignored. A stored text that fills its
// field (the widths count the terminating zero), or all of it but the byte
// a double-byte character did not fit in, may have been cut when it was
// stored: it matches every window whose class or title, cut the same way,
// equals it, so that a binding to a player that shows a long file name in
// its title still works. The window in front, when it was noted, is taken
// first if it matches and the user can see it. Receiver thread.
HWND FindBoundWindow(const char* windowClass, int classWidth, const char* name, int nameWidth);

// The window in front, read by the key path for the code it handles now:
// the next FindBoundWindow may take it, once. NULL forgets it, as the key
// path must before anything else may have changed the front.
void NoteWindowInFront(HWND window);
