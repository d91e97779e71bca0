// Where our files live: beside the running executable, or, where that
// folder cannot be written or its files of ours cannot be replaced (Program
// Files, a file marked read-only), in the user's own folder
// %APPDATA%\Quellon\. Files are read from there when present, otherwise
// from beside the executable, and always saved there.
#pragma once
#include <stddef.h>

enum { ProgramDirSize = 512 };

// Directory of the running executable, ending in a backslash.
extern char ProgramDir[ProgramDirSize];

// The folder our files are saved in, ending in a backslash: ProgramDir, or
// the per-user folder. Empty until ResolveDataDir; ProgramDir stands in then.
extern char DataDir[ProgramDirSize];

// The per-user folder, ending in a backslash, whether used or not; empty
// when there is none to be had (and before ResolveDataDir).
extern char UserDir[ProgramDirSize];

// Cuts a module path after its last backslash, in place.
void CutAfterLastBackslash(char* path);

// Fills ProgramDir from the running executable's path.
void ResolveProgramDir();

// Fills DataDir, after ResolveProgramDir: ProgramDir where a file can be
// made in it and its files of ours can be replaced (tried for real), else
// the per-user folder.
void ResolveDataDir();

// After a save beside the executable failed for lack of rights: the files
// are kept in the per-user folder from now on. False when they are there
// already or there is no such folder.
bool MoveFilesToUserDir();

// The folder that holds our files: DataDir, or ProgramDir before it is known.
const char* FilesDir();

// ProgramDir followed by fileName, or an empty text when the full path does
// not fit in 255 characters (or in size) or ProgramDir is unknown (empty).
void FormProgramFilePath(char* path, size_t size, const char* fileName);

// Where fileName is read from: the files folder when the file is there,
// else beside the executable. Empty when neither path fits.
void FormLoadFilePath(char* path, size_t size, const char* fileName);

// Where fileName is saved: in the files folder, which is made when missing.
// Empty when the path does not fit.
void FormSaveFilePath(char* path, size_t size, const char* fileName);

// False when a file of ours may not be written over: it is marked read-only
// (the user's wish to keep it; Wine running as root would overwrite it
// anyway) or a folder stands in its place. True when nothing is there yet.
bool CanReplaceFile(const char* path);
