// Bindings of their own for single programs: profile-NAME.cfg beside
// profile.cfg, NAME the program's file name, kept in memory as the slots
// each set stores rather than as whole images.
#pragma once
#include <windows.h>

#include "core/held_choices.h"
#include "core/profile.h"

// A name leaves room in a file name of ours for "profile-" and ".held".
enum { MaxProgramSets = 32, ProgramNameSize = 51, AllPrograms = -1 };

// One program's set. Only the slots it stores are kept, 512 bytes each: a
// record once published stays for the life of the process, so that the
// key path may still be running it when the set is removed.
struct ProgramSet {
    wchar_t name[ProgramNameSize];    // the executable's file name, without folder
    // RemoteKeyCount x SlotsPerKey, NULL where nothing is stored; made when
    // the set is first added.
    ActionRecord* volatile* slots;
    HeldChoices held;    // its "When held" choices, in profile-NAME.held
    OurFile* files;      // profile-NAME.cfg and .held, companions of profile.cfg; made with slots
    volatile LONG inUse;
    bool changed;       // to be written at the next save
};

extern ProgramSet ProgramSets[MaxProgramSets];

// Changes whenever a set is added or removed: the key path's cache of the
// program in front is good only while this stays the same.
extern volatile LONG ProgramSetsGeneration;
// Sets in use; none means no program needs to be looked up.
extern volatile LONG ProgramSetsInUse;

// After LoadProfile: every profile-NAME.cfg in the folder profile.cfg is read from.
void LoadProgramSets();
// Writes each set changed since it was read, every set when the files
// folder is no longer the one they were read from. On failure the user is
// told (unless quiet). Nonzero when all were written.
int SaveProgramSets(bool quiet = false, DWORD waitMs = HeldFileWaitMs);

// The set of that file name, case ignored, or AllPrograms.
int FindProgramSet(const wchar_t* name);
// The set of that name, made (empty, or from its file when one is there
// already) when there is none; AllPrograms when the name does not fit or
// every place is taken.
int AddProgramSet(const wchar_t* name);
// Takes the set out of use and deletes its file.
void RemoveProgramSet(int set);

// Slot s of key k of a set (AllPrograms: the Profile's), "None" where
// nothing is stored.
const ActionRecord& ProgramSetRecord(int set, int k, int s);
// The same for writing: the record is made on first use.
ActionRecord& ProgramSetRecordForEdit(int set, int k, int s);

// The "When held" choices of a set (AllPrograms: profile.cfg's), and the
// same for changing one.
const HeldChoices& ProgramSetHeldChoices(int set);
HeldChoices& ProgramSetHeldChoicesForEdit(int set);

// Which bindings run key k while the program of that set is in front: the
// set's own when some slot of the key holds an action ("None" and types
// outside the catalogue hold none), else those for all programs; *used
// names the set whose bindings they are. The first key always starts the
// card maker's application: it is no program's.
KeySlots BindingsForKey(int k, int set, int* used);

// file name of a set's file: "profile-NAME.cfg"; false when it does not fit.
bool FormProgramSetFileName(wchar_t* fileName, size_t size, const wchar_t* name);
