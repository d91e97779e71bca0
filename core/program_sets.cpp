// Program sets: reading and writing profile-NAME.cfg through the rules of
// profile.cfg, and the choice between a program's bindings and everyone's.
#include "core/program_sets.h"

#include <string.h>

#include "core/catalogue.h"
#include "platform/paths.h"

ProgramSet ProgramSets[MaxProgramSets];
volatile LONG ProgramSetsGeneration;
volatile LONG ProgramSetsInUse;

static const wchar_t SetPrefix[] = L"profile-";
static const wchar_t SetSuffix[] = L".cfg";
static const wchar_t TempSuffix[] = L".cfg.tmp";

enum { SlotCount = RemoteKeyCount * SlotsPerKey };

// Read for every slot a set does not store; never written.
static ActionRecord NoAction;
// Edits go here when no record can be had: they are lost, nothing breaks.
static ActionRecord LostEdit;

bool FormProgramSetFileName(wchar_t* fileName, size_t size, const wchar_t* name)
{
    wchar_t named[ProgramNameSize + ARRAYSIZE(SetPrefix)];
    return name[0] && wcslen(name) < ProgramNameSize &&
           JoinPath(named, ARRAYSIZE(named), SetPrefix, name) &&
           JoinPath(fileName, size, named, SetSuffix);
}

// The program's name in a file name of a set ("profile-NAME.cfg", or its
// temporary file); false for any other file.
static bool NameOfSetFile(const wchar_t* fileName, wchar_t* name, bool* temp)
{
    size_t n = wcslen(fileName), prefix = wcslen(SetPrefix);
    wchar_t head[ARRAYSIZE(SetPrefix)];
    const wchar_t* const suffixes[] = { SetSuffix, TempSuffix };
    for (const wchar_t* suffix : suffixes) {
        size_t s = wcslen(suffix);
        // The pattern also matches 8.3 aliases: the long name must end so itself.
        if (n > prefix + s && n - prefix - s < ProgramNameSize &&
            lstrcmpiW(lstrcpynW(head, fileName, (int)prefix + 1), SetPrefix) == 0 &&
            lstrcmpiW(fileName + n - s, suffix) == 0) {
            lstrcpynW(name, fileName + prefix, (int)(n - prefix - s + 1));
            *temp = suffix == TempSuffix;
            return true;
        }
    }
    return false;
}

static void* Allocate(size_t size)
{
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
}

static ActionRecord* RecordFor(ProgramSet& set, int i)
{
    if (!set.slots[i]) {
        void* record = Allocate(sizeof(ActionRecord));
        if (!record)
            return NULL;
        InterlockedExchangePointer((void* volatile*)&set.slots[i], record);
    }
    return set.slots[i];
}

// Keeps of the image the slots that hold anything; records of a set that
// was here before are reused and cleared.
static void TakeSlotsOf(ProgramSet& set, const KeyActions* image)
{
    for (int i = 0; i < SlotCount; ++i) {
        const ActionRecord* from = image ? &image[i / SlotsPerKey].slot[i % SlotsPerKey] : &NoAction;
        bool blank = IsZero(from, sizeof *from);
        if (blank && !set.slots[i])
            continue;
        ActionRecord* record = RecordFor(set, i);
        if (record)
            memcpy(record, from, sizeof *record);
    }
}

// The folder profile.cfg is read from (where it is saved, when there is
// none yet): the sets are its companions.
static void ProfileFolder(wchar_t* dir)
{
    lstrcpynW(dir, ProfileFile.readPath[0] ? ProfileFile.readPath : ProfileFile.savePath, MAX_PATH);
    CutAfterLastBackslash(dir);
}

// Reads one file of a set, placed beside profile.cfg; data is zero where
// the file is missing, short or unreadable.
static void ReadSetFile(OurFile* file, const wchar_t* name, void* data, DWORD size)
{
    DWORD got = 0;
    PlaceOurFile(file, name, size, &ProfileFile);
    ReadOurFile(file, data, size, &got);
}

int FindProgramSet(const wchar_t* name)
{
    for (int i = 0; i < MaxProgramSets; ++i)
        if (ProgramSets[i].inUse && lstrcmpiW(ProgramSets[i].name, name) == 0)
            return i;
    return AllPrograms;
}

int AddProgramSet(const wchar_t* name)
{
    wchar_t fileName[OurFileNameSize], heldName[OurFileNameSize];
    int found = FindProgramSet(name);
    if (found != AllPrograms || !FormProgramSetFileName(fileName, OurFileNameSize, name))
        return found;
    int i = 0;
    while (i < MaxProgramSets && ProgramSets[i].inUse)
        ++i;
    if (i == MaxProgramSets)
        return AllPrograms;
    ProgramSet& set = ProgramSets[i];
    if (!set.slots && !(set.slots = (ActionRecord* volatile*)Allocate(SlotCount * sizeof(void*))))
        return AllPrograms;
    if (!set.files && !(set.files = (OurFile*)Allocate(2 * sizeof(OurFile))))
        return AllPrograms;
    lstrcpynW(set.name, name, ProgramNameSize);
    KeyActions* image = TakeProfileImage();
    if (!image)
        return AllPrograms;
    ReadSetFile(&set.files[0], fileName, image, ProfileSize);
    TakeSlotsOf(set, image);
    KeepLoadedContents(&set.files[0], HashBytes(image, ProfileSize));
    ReturnProfileImage(image);
    uint8_t held[HeldFileSize] = {};
    HeldFileNameFor(heldName, OurFileNameSize, fileName);
    ReadSetFile(&set.files[1], heldName, held, sizeof held);
    DecodeHeldChoices(held, sizeof held, &set.held);
    EncodeHeldChoices(set.held, held);
    KeepLoadedContents(&set.files[1], HashBytes(held, sizeof held));
    bool missing = !set.files[0].existed && !set.files[0].unreadable;
    // A new set is written at the next save even when nothing is bound yet.
    set.changed = missing;
    InterlockedExchange(&set.inUse, 1);
    InterlockedIncrement(&ProgramSetsInUse);
    InterlockedIncrement(&ProgramSetsGeneration);
    return i;
}

void LoadProgramSets()
{
    wchar_t folder[MAX_PATH], pattern[MAX_PATH], name[ProgramNameSize];
    ProfileFolder(folder);
    if (!folder[0] || !JoinPath(pattern, MAX_PATH, folder, L"profile-*"))
        return;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        bool temp;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            NameOfSetFile(found.cFileName, name, &temp))
            AddProgramSet(name);    // a temporary file alone becomes the set's file there
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void RemoveProgramSet(int i)
{
    if (i < 0 || i >= MaxProgramSets || !ProgramSets[i].inUse)
        return;
    ProgramSet& set = ProgramSets[i];
    InterlockedExchange(&set.inUse, 0);
    InterlockedDecrement(&ProgramSetsInUse);
    InterlockedIncrement(&ProgramSetsGeneration);
    for (int f = 0; f < 2; ++f) {
        const wchar_t* const paths[] = { set.files[f].readPath, set.files[f].savePath };
        for (const wchar_t* path : paths)
            if (path[0])
                DeleteFileW(path);
    }
}

int SaveProgramSets(bool quiet, DWORD waitMs)
{
    bool saved = true;
    KeyActions* image = NULL;
    for (ProgramSet& set : ProgramSets) {
        // A set read from elsewhere than where it is saved now goes along
        // with profile.cfg, or it would not be found beside it next time.
        if (!set.inUse || (!set.changed && wcscmp(set.files[0].readPath, set.files[0].savePath) == 0))
            continue;
        if (!image && !(image = TakeProfileImage())) {
            saved = false;
            break;
        }
        for (int i = 0; i < SlotCount; ++i)
            image[i / SlotsPerKey].slot[i % SlotsPerKey] = set.slots[i] ? *set.slots[i] : NoAction;
        uint8_t held[HeldFileSize];
        EncodeHeldChoices(set.held, held);
        if (SaveOurFile(&set.files[0], image, ProfileSize, HashBytes(image, ProfileSize), waitMs) != SaveFailed &&
            SaveOurFile(&set.files[1], held, sizeof held, HashBytes(held, sizeof held), waitMs) != SaveFailed)
            set.changed = false;
        else
            saved = false;
    }
    ReturnProfileImage(image);
    if (!saved && !quiet)
        ShowSaveError();
    return saved;
}

const ActionRecord& ProgramSetRecord(int set, int k, int s)
{
    if (set == AllPrograms)
        return Profile[k].slot[s];
    const ActionRecord* record = ProgramSets[set].slots[k * SlotsPerKey + s];
    return record ? *record : NoAction;
}

ActionRecord& ProgramSetRecordForEdit(int set, int k, int s)
{
    if (set == AllPrograms)
        return Profile[k].slot[s];
    ProgramSets[set].changed = true;
    ActionRecord* record = RecordFor(ProgramSets[set], k * SlotsPerKey + s);
    return record ? *record : LostEdit;
}

const HeldChoices& ProgramSetHeldChoices(int set)
{
    return set == AllPrograms ? ProfileHeldChoices : ProgramSets[set].held;
}

HeldChoices& ProgramSetHeldChoicesForEdit(int set)
{
    if (set == AllPrograms)
        return ProfileHeldChoices;
    ProgramSets[set].changed = true;
    return ProgramSets[set].held;
}

KeySlots BindingsForKey(int k, int set, int* used)
{
    KeySlots run;
    *used = AllPrograms;
    bool own = false;
    if (k > 0 && set >= 0 && set < MaxProgramSets && ProgramSets[set].inUse)
        for (int s = 0; s < SlotsPerKey; ++s) {
            // Read once: the dialog may store into the slot meanwhile.
            const ActionRecord* record = ProgramSets[set].slots[k * SlotsPerKey + s];
            run.slot[s] = record ? record : &NoAction;
            own = own || (run.slot[s]->type > ActionNone && run.slot[s]->type < ActionTypeCount);
        }
    if (own)
        *used = set;
    else
        for (int s = 0; s < SlotsPerKey; ++s)
            run.slot[s] = &Profile[k].slot[s];
    return run;
}
