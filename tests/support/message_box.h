// Closing message boxes from a watcher thread, so that no box hangs a test.
#pragma once
#include <string>

struct BoxWatch;

// Watches for a message box with this caption (any process); closes each one
// it sees with OK and keeps its text.
BoxWatch* WatchMessageBoxes(const char* caption);
// Stops watching; returns how many boxes were closed and the last text.
int StopWatchingMessageBoxes(BoxWatch* w, std::string* lastText);
