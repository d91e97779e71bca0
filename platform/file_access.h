// Our files among other programs: a backup tool, a sync client, an indexer
// or a virus scanner may hold one for a moment, and a folder may take new
// files but refuse to let its existing ones be replaced.
#pragma once
#include <windows.h>

// How long a file held by another program is waited for, at start and at a
// save; at the end of the Windows session a save waits less, since Windows
// gives a program about 5 s in all.
enum { HeldFileWaitMs = 3000, SessionEndWaitMs = 2000 };

// Opens path for reading, sharing it with other readers only, so that a
// file half written by someone else is never read and nobody can start
// writing it while the handle is open. A sharing violation is retried for
// up to HeldFileWaitMs. On failure *missing tells whether the file is
// simply not there, and the last error says why.
HANDLE OpenForReading(const wchar_t* path, bool* missing);

// Right after a file that exists could not be read (the last error says
// why): it is not written this run, and the start-up report names it once.
void NoteUnreadableFile(const wchar_t* path);
// One message box naming every file noted, when there is any: a file held
// by another program as such, any other failure in the system's own words.
void ReportUnreadableFiles(HWND owner);

// After a write or a replace of path (and of other, NULL for none) failed:
// whether to try again. Yes, after a short sleep, while another program
// holds one of them against the access wanted and waitMs have not passed
// since start; yes once when the hold has just ended; no for anything else.
// againWhenFree starts true.
bool AgainWhileHeld(const wchar_t* path, const wchar_t* other, DWORD access, DWORD start,
                    DWORD waitMs, bool* againWhenFree);

// On FAT a replace is a delete and a rename: a crash in between leaves the
// new content only in temp, which the next save would write over. When
// path is missing and temp holds exactly size bytes (any number for size
// 0: the old file is deleted only once temp is complete), temp becomes path.
void FinishCutReplace(const wchar_t* temp, const wchar_t* path, DWORD size);

// Whether a new file can be made in dir, tried for real.
bool CanMakeFileIn(const wchar_t* dir);
// Whether the file at path, when it exists, may not be replaced by us: it is
// marked read-only or opening it for writing is denied. A file another
// program holds, or a folder in its place, is no question of rights.
bool LacksRightsToReplace(const wchar_t* path);
