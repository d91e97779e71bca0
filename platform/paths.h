// The two folders our files live in: beside the running executable, and the
// user's own %APPDATA%\Quellon\ (platform/our_files chooses between them
// for each file). Both folders and every path of our files are held in
// UTF-16: a folder or a user's name outside the ANSI code page would come
// back from the A functions with '?' in it and open nothing.
#pragma once
#include <stddef.h>
#include <wchar.h>

enum { ProgramDirSize = 512 };

// Our two files' names.
extern const wchar_t ProfileFileName[];
extern const wchar_t SettingsFileName[];

// Directory of the running executable, ending in a backslash.
extern wchar_t ProgramDir[ProgramDirSize];

// The per-user folder, ending in a backslash, whether used or not; empty
// when there is none to be had (and before ResolveUserDir).
extern wchar_t UserDir[ProgramDirSize];

// Cuts a module path after its last backslash, in place.
void CutAfterLastBackslash(wchar_t* path);

// first followed by second in path; false, with path empty, when that does
// not fit in size characters.
bool JoinPath(wchar_t* path, size_t size, const wchar_t* first, const wchar_t* second);

// Fills ProgramDir from the running executable's path.
void ResolveProgramDir();

// dir followed by fileName, or an empty text when dir is unknown (empty) or
// the full path does not fit in 255 characters (or in size).
void FormFilePath(wchar_t* path, size_t size, const wchar_t* dir, const wchar_t* fileName);
