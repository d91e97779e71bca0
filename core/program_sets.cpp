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

// The folder the sets were read from: profile.cfg's. Main thread only.
static wchar_t SetsFolder[ProgramDirSize];

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

static bool IsBlank(const ActionRecord& record)
{
    const char* bytes = (const char*)&record;
    for (size_t i = 0; i < sizeof record; ++i)
        if (bytes[i])
            return false;
    return true;
}

// The scratch image of one whole file, for reading and writing only: an
// idle Quellon keeps the keys that sets bind, not 98 KB per set.
static KeyActions* TakeImage()
{
    return (KeyActions*)VirtualAlloc(NULL, ProfileSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

static void ReturnImage(KeyActions* image)
{
    if (image)
        VirtualFree(image, 0, MEM_RELEASE);
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
        bool blank = IsBlank(*from);
        if (blank && !set.slots[i])
            continue;
        ActionRecord* record = RecordFor(set, i);
        if (record)
            memcpy(record, from, sizeof *record);
    }
}

// The choices file beside the set's file, read from the same folder; a
// missing or unreadable one means "Automatic" everywhere, as for profile.cfg.
static void LoadSetHeldChoices(ProgramSet& set, const wchar_t* fileName)
{
    wchar_t name[MAX_PATH], path[MAX_PATH];
    uint8_t file[HeldFileSize];
    DWORD got = 0;
    HeldFileNameFor(name, MAX_PATH, fileName);
    FinishBindingsReplace(SetsFolder, name, HeldFileSize);
    FormFilePath(path, MAX_PATH, SetsFolder, name);
    BindingsRead read = name[0] ? ReadBindingsAt(path, file, sizeof file, &got, false) : BindingsMissing;
    DecodeHeldChoices(file, read == BindingsFound ? got : 0, &set.held);
    set.heldUnreadable = read == BindingsUnreadable;
}

static void ProfileFolder(wchar_t* dir)
{
    FormLoadFilePath(dir, ProgramDirSize, ProfileFileName);
    CutAfterLastBackslash(dir);
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
    wchar_t fileName[MAX_PATH], path[MAX_PATH];
    int found = FindProgramSet(name);
    if (found != AllPrograms || !FormProgramSetFileName(fileName, MAX_PATH, name))
        return found;
    int i = 0;
    while (i < MaxProgramSets && ProgramSets[i].inUse)
        ++i;
    if (i == MaxProgramSets)
        return AllPrograms;
    if (!SetsFolder[0])
        ProfileFolder(SetsFolder);
    ProgramSet& set = ProgramSets[i];
    if (!set.slots && !(set.slots = (ActionRecord* volatile*)Allocate(SlotCount * sizeof(void*))))
        return AllPrograms;
    lstrcpynW(set.name, name, ProgramNameSize);
    FinishBindingsReplace(SetsFolder, fileName, ProfileSize);
    FormFilePath(path, MAX_PATH, SetsFolder, fileName);
    DWORD got;
    KeyActions* image = TakeImage();
    BindingsRead read = image ? ReadBindingsAt(path, image, ProfileSize, &got, true) : BindingsUnreadable;
    bool missing = read == BindingsMissing;
    set.unreadable = read == BindingsUnreadable;
    LoadSetHeldChoices(set, fileName);
    TakeSlotsOf(set, set.unreadable ? NULL : image);
    ReturnImage(image);
    // A new set is written at the next save even when nothing is bound yet.
    set.changed = missing;
    InterlockedExchange(&set.inUse, 1);
    InterlockedIncrement(&ProgramSetsInUse);
    InterlockedIncrement(&ProgramSetsGeneration);
    return i;
}

void LoadProgramSets()
{
    ProfileFolder(SetsFolder);
    wchar_t pattern[MAX_PATH], name[ProgramNameSize];
    if (!SetsFolder[0] || !JoinPath(pattern, MAX_PATH, SetsFolder, L"profile-*"))
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
    wchar_t names[2][MAX_PATH], path[MAX_PATH];
    if (!FormProgramSetFileName(names[0], MAX_PATH, set.name))
        return;
    HeldFileNameFor(names[1], MAX_PATH, names[0]);
    const wchar_t* const dirs[] = { SetsFolder, FilesFolder() };
    for (const wchar_t* dir : dirs)
        for (const wchar_t* name : names) {
            FormFilePath(path, MAX_PATH, dir, name);
            if (name[0] && path[0])
                DeleteFileW(path);
        }
}

int SaveProgramSets(bool quiet, DWORD waitMs)
{
    // Saves that moved to another folder take every set along, or the sets
    // left behind would not be found beside the profile.cfg read next time.
    bool moved = SetsFolder[0] && wcscmp(FilesFolder(), SetsFolder) != 0;
    bool saved = true;
    KeyActions* image = NULL;
    for (ProgramSet& set : ProgramSets) {
        wchar_t fileName[MAX_PATH];
        if (!set.inUse || set.unreadable || (!set.changed && !moved) ||
            !FormProgramSetFileName(fileName, MAX_PATH, set.name))
            continue;
        if (!image && !(image = TakeImage())) {
            saved = false;
            break;
        }
        for (int i = 0; i < SlotCount; ++i)
            image[i / SlotsPerKey].slot[i % SlotsPerKey] = set.slots[i] ? *set.slots[i] : NoAction;
        // Choices that could not be read are the user's still: not written over.
        if (SaveBindingsFile(fileName, image, ProfileSize, waitMs) &&
            (set.heldUnreadable || SaveHeldChoices(fileName, set.held, waitMs)))
            set.changed = false;
        else
            saved = false;
    }
    ReturnImage(image);
    if (saved && moved)
        lstrcpynW(SetsFolder, FilesFolder(), ProgramDirSize);
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
