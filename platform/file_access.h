// Our files among other programs: a backup tool, an indexer or a virus
// scanner may hold one for a moment, and a folder may take new files but
// refuse to let its existing ones be replaced.
#pragma once
#include <windows.h>

// How long a file held by another program is waited for at start.
enum { HeldFileWaitMs = 3000 };

// Opens path for reading, sharing it with other readers only, so that a
// file half written by someone else is never read. A sharing violation is
// retried for up to HeldFileWaitMs. On failure *missing tells whether the
// file is simply not there.
HANDLE OpenForReading(const char* path, bool* missing);

// A file that exists but could not be read is not written this run; the
// start-up report names it once.
void NoteUnreadableFile(const char* path);
// One message box naming every file noted, when there is any.
void ReportUnreadableFiles(HWND owner);

// Whether a new file can be made in dir, tried for real.
bool CanMakeFileIn(const char* dir);
// Whether the file at path, when it exists, may not be replaced by us: it is
// marked read-only or opening it for writing is denied. A file another
// program holds, or a folder in its place, is no question of rights.
bool LacksRightsToReplace(const char* path);
// Whether a save to path failed for lack of rights: a new file cannot be
// made beside it, or it cannot be replaced.
bool LacksRightsToSave(const char* path);

// Runs saveIn, which writes one file in the files folder and names it in
// path (empty when the name does not fit). A save refused there for lack of
// rights moves the files to the per-user folder and is made again there.
bool SaveWithRightsFallback(bool (*saveIn)(char* path, size_t size), char* path, size_t size);
