// Finding the window a "Send Message" or "Virtual Key" binding names by the
// class and title stored in its record.
#pragma once
#include <windows.h>

// The first top-level window, in the order FindWindowA searches, whose class
// and title match. name NULL matches any title; an empty class finds
// nothing. A stored text shorter than its field matches whole, case
// ignored, as FindWindowA matches it. One that fills its field (the widths
// count the terminating zero), or all of it but the byte a double-byte
// character did not fit in, may have been cut when it was stored: it
// matches every window whose class or title, cut the same way, equals it,
// so that a binding to a player that shows a long file name in its title
// still works.
HWND FindBoundWindow(const char* windowClass, int classWidth, const char* name, int nameWidth);
