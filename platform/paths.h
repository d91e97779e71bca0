// Where our files live: beside the running executable, or in the user's own
// folder %APPDATA%\Quellon\. Both folders and every path of our files are
// held in UTF-16: a folder or a user's name outside the ANSI code page
// would come back from the A functions with '?' in it and open nothing.
// Each file is read from whichever of the two places holds the copy written
// last, and saved beside the executable where that folder takes saves (it
// can be written and its files of ours replaced), else in the per-user
// folder. Neither copy is ever deleted.
#pragma once
#include <stddef.h>
#include <wchar.h>

enum { ProgramDirSize = 512 };

// Our two files' names.
extern const wchar_t ProfileFileName[];
extern const wchar_t SettingsFileName[];

// Directory of the running executable, ending in a backslash.
extern wchar_t ProgramDir[ProgramDirSize];

// The folder our files are saved in, ending in a backslash: ProgramDir, or
// the per-user folder. Empty until ResolveDataDir; ProgramDir stands in then.
extern wchar_t DataDir[ProgramDirSize];

// The per-user folder, ending in a backslash, whether used or not; empty
// when there is none to be had (and before ResolveDataDir).
extern wchar_t UserDir[ProgramDirSize];

// Cuts a module path after its last backslash, in place.
void CutAfterLastBackslash(wchar_t* path);

// first followed by second in path; false, with path empty, when that does
// not fit in size characters.
bool JoinPath(wchar_t* path, size_t size, const wchar_t* first, const wchar_t* second);

// Fills ProgramDir from the running executable's path.
void ResolveProgramDir();

// Fills UserDir and DataDir, after ResolveProgramDir: ProgramDir where a
// file can be made in it and its files of ours can be replaced (tried for
// real), else the per-user folder.
void ResolveDataDir();

// After a save beside the executable failed for lack of rights: the files
// are kept in the per-user folder from now on. False when they are there
// already or there is no such folder.
bool MoveFilesToUserDir();

// The folder our files are saved in: DataDir, or ProgramDir before it is known.
const wchar_t* FilesFolder();

// dir followed by fileName, or an empty text when dir is unknown (empty) or
// the full path does not fit in 255 characters (or in size).
void FormFilePath(wchar_t* path, size_t size, const wchar_t* dir, const wchar_t* fileName);

// Where fileName is read from: of its copies beside the executable and in
// the per-user folder, the one written last; the files folder when neither
// exists. Empty when no path fits.
void FormLoadFilePath(wchar_t* path, size_t size, const wchar_t* fileName);

// Where fileName is saved: in the files folder, which is made when missing.
// Empty when the path does not fit.
void FormSaveFilePath(wchar_t* path, size_t size, const wchar_t* fileName);

// False when a file of ours may not be written over: it is marked read-only
// (the user's wish to keep it; Wine running as root would overwrite it
// anyway) or a folder stands in its place. True when nothing is there yet.
bool CanReplaceFile(const wchar_t* path);
