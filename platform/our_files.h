// Where each file of ours is read and saved, and how a save writes it: whole
// or not at all, and never over what another program changed under us.
#pragma once
#include <windows.h>
#include <stdint.h>

#include "platform/file_access.h"

enum { OurFileNameSize = 64 };

// One file of ours. Fill it with PlaceOurFile, read it with ReadOurFile and
// write it with SaveOurFile; the other fields are for reading only.
//
// Which copy: the per-user folder's copy is the user's own; once it exists
// it is read and saved, whatever lies beside the executable. Without one,
// the program folder's copy is read, and saved over where that folder and
// file take a save, else saved in the per-user folder, which from then on
// holds the user's own copy. A companion file (one that belongs to
// another, as a set of bindings to its main file) goes where its main file
// is read from and saved.
struct OurFile {
    wchar_t name[OurFileNameSize];
    DWORD wholeSize;            // the size of every complete copy; 0 when it varies
    wchar_t readPath[MAX_PATH]; // the copy read, and later the one last written; empty when none fits
    wchar_t savePath[MAX_PATH]; // where a save writes; empty when no path fits
    bool loaded;                // read, or found missing: saves may write from now on
    bool unreadable;            // there but not readable: never written this run
    bool existed;               // whether readPath was there when last read or written
    uint32_t diskHash;          // readPath's bytes as last read or written
    uint32_t contentsHash;      // the caller's contents as last read or written
};

// FNV-1a of size bytes, continued from hash (start with HashStart).
enum : uint32_t { HashStart = 2166136261u };
uint32_t HashBytes(const void* bytes, size_t size, uint32_t hash = HashStart);

// Fills UserDir, the per-user folder, whether used or not.
void ResolveUserDir();

// Chooses where file name is read and saved (see OurFile), after a save
// cut short between the delete and the rename (FAT) in either folder was
// finished. companionOf, when not NULL, is its placed main file. Forgets
// what was read before: nothing may be saved until ReadOurFile.
void PlaceOurFile(OurFile* file, const wchar_t* name, DWORD wholeSize,
                  const OurFile* companionOf = NULL);

// Reads up to capacity bytes of the chosen copy into buffer, waiting for a
// held file as OpenForReading does; *size receives the count, 0 for a
// missing file. False when a copy is there but cannot be read: it is noted
// for the start-up report and never written this run. Either way saves may
// write from now on.
bool ReadOurFile(OurFile* file, void* buffer, DWORD capacity, DWORD* size);

// After ReadOurFile: the hash of what the caller made of it (the defaults
// when it was missing), against which later saves tell a change by the user.
void KeepLoadedContents(OurFile* file, uint32_t contentsHash);

// What is in file's save place now, else in the copy it was read from (a
// save there makes the user's own copy from it), up to capacity bytes;
// nothing (size 0) when neither is there or readable.
void ReadCurrentCopy(const OurFile* file, void* buffer, DWORD capacity, DWORD* size);

enum SaveResult {
    SaveFailed,    // tried and failed: the old file is as it was
    FileSaved,
    FileKept,      // nothing written, by design (see SaveOurFile)
};

// Writes bytes to a temporary file beside the save place and replaces the
// file with it, waiting up to waitMs while another program holds either.
// A save refused for lack of rights beside the executable moves this file
// to the per-user folder and is made there. contentsHash is the hash of the
// caller's contents that bytes hold. Writes nothing (FileKept) before the
// file was read, after it could not be read, or when another program
// changed the copy since we last read or wrote it and the contents are
// those we last read or wrote: the other program's file stands.
SaveResult SaveOurFile(OurFile* file, const void* bytes, DWORD size, uint32_t contentsHash,
                       DWORD waitMs);
