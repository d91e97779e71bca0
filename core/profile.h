// The user's bindings: four action slots for each of the 48 remote keys, and
// profile.cfg, which is a raw image of them.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/held_choices.h"
#include "core/remote_keys.h"
#include "platform/our_files.h"

enum {
    SlotsPerKey = 4,
    ProgramPathWidth = 256,
    ParametersWidth = 128,
    WindowClassWidth = 48,
    WindowNameWidth = 64,
};

// One 512-byte action slot. Fields a type does not use, and bytes behind a
// text's terminator, keep what earlier edits left there: they round-trip.
struct ActionRecord {
    int32_t type;
    char programPath[ProgramPathWidth];
    char parameters[ParametersWidth];
    char windowClass[WindowClassWidth];
    char windowName[WindowNameWidth];
    int32_t number;
    int32_t wParam;    // type 60: key flags in the low byte
    int32_t lParam;
};

struct KeyActions {
    ActionRecord slot[SlotsPerKey];
};

static_assert(offsetof(ActionRecord, type) == 0, "profile.cfg layout");
static_assert(offsetof(ActionRecord, programPath) == 4, "profile.cfg layout");
static_assert(offsetof(ActionRecord, parameters) == 260, "profile.cfg layout");
static_assert(offsetof(ActionRecord, windowClass) == 388, "profile.cfg layout");
static_assert(offsetof(ActionRecord, windowName) == 436, "profile.cfg layout");
static_assert(offsetof(ActionRecord, number) == 500, "profile.cfg layout");
static_assert(offsetof(ActionRecord, wParam) == 504, "profile.cfg layout");
static_assert(offsetof(ActionRecord, lParam) == 508, "profile.cfg layout");
static_assert(sizeof(ActionRecord) == 512, "profile.cfg layout");
static_assert(sizeof(KeyActions) == 2048, "profile.cfg layout");

enum { ProfileSize = RemoteKeyCount * 2048 };

// The four slots a press runs, wherever they are kept.
struct KeySlots {
    const ActionRecord* slot[SlotsPerKey];
};

// The one Profile of the process, indexed by key index. All zero ("None") at start.
extern KeyActions Profile[RemoteKeyCount];
static_assert(sizeof(Profile) == ProfileSize, "profile.cfg is 98304 bytes");

// A zeroed scratch image of one whole profile file, for reading and writing
// only, and its release; NULL when memory is short.
KeyActions* TakeProfileImage();
void ReturnProfileImage(KeyActions* image);
// Whether every byte is 0: a blank record, a page of bindings with nothing bound.
bool IsZero(const void* bytes, size_t size);

// Where profile.cfg and its "When held" choices (a companion file) are read
// and saved, and what was last read or written of them.
extern OurFile ProfileFile;
extern OurFile HeldChoicesFile;

// Reads profile.cfg and the "When held" choices beside it (see
// platform/our_files.h for which copy); a missing or short file leaves the
// rest as it was. A file that exists but cannot be
// read, even after waiting for another program to let go of it, is noted
// for the start-up report and not written this run. A save cut short
// between deleting the old file and renaming the new one (FAT) is finished
// first.
void LoadProfile();

// Whether LoadProfile found no profile.cfg (or none could have a path): a
// first run.
bool ProfileWasMissing();

// Writes profile.cfg, then its "When held" choices. The old file is
// replaced only by a complete new one,
// waiting up to waitMs while another program holds it; on failure the user
// is told (unless quiet: nobody can answer at the end of the session) and
// the old file stays as it was, with no temporary file left. Nothing is
// written before LoadProfile, nor over a file another program changed
// since, unless the bindings changed too (platform/our_files.h). Returns
// nonzero unless a save was tried and failed.
int SaveProfile(bool quiet = false, DWORD waitMs = HeldFileWaitMs);
// The one message of a failed save of bindings.
void ShowSaveError();

