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

// Read for every key without a block of its own; never written. Not const:
// a zero image kept in the program's file would add 2 KB to it.
static KeyActions NoActions;
// Edits go here when no block can be had: they are lost, nothing breaks.
static KeyActions LostEdits;

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
    const wchar_t* const suffixes[] = { SetSuffix, TempSuffix };
    for (const wchar_t* suffix : suffixes) {
        size_t s = wcslen(suffix);
        // The pattern also matches 8.3 aliases: the long name must end so itself.
        if (n > prefix + s && n - prefix - s < ProgramNameSize &&
            _wcsnicmp(fileName, SetPrefix, prefix) == 0 && _wcsicmp(fileName + n - s, suffix) == 0) {
            lstrcpynW(name, fileName + prefix, (int)(n - prefix - s + 1));
            *temp = suffix == TempSuffix;
            return true;
        }
    }
    return false;
}

static bool IsBlank(const KeyActions& actions)
{
    const char* bytes = (const char*)&actions;
    for (size_t i = 0; i < sizeof actions; ++i)
        if (bytes[i])
            return false;
    return true;
}

bool BindsKey(const KeyActions& actions)
{
    for (const ActionRecord& r : actions.slot)
        if (r.type > ActionNone && r.type < ActionTypeCount)
            return true;
    return false;
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

static KeyActions* BlockFor(ProgramSet& set, int k)
{
    if (!set.keys[k]) {
        void* block = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(KeyActions));
        if (!block)
            return NULL;
        InterlockedExchangePointer((void* volatile*)&set.keys[k], block);
    }
    return set.keys[k];
}

// Keeps of the image what it holds for each key; blocks of a set that was
// here before are reused and cleared.
static void TakeKeysOf(ProgramSet& set, const KeyActions* image)
{
    for (int k = 0; k < RemoteKeyCount; ++k) {
        bool blank = !image || IsBlank(image[k]);
        if (blank && !set.keys[k])
            continue;
        KeyActions* block = BlockFor(set, k);
        if (block)
            memcpy(block, blank ? &NoActions : &image[k], sizeof *block);
    }
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
    lstrcpynW(set.name, name, ProgramNameSize);
    FinishBindingsReplace(SetsFolder, fileName);
    FormFilePath(path, MAX_PATH, SetsFolder, fileName);
    bool missing = true;
    KeyActions* image = TakeImage();
    set.unreadable = !image || (path[0] && !ReadBindingsFile(path, image, &missing));
    TakeKeysOf(set, set.unreadable ? NULL : image);
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
    wchar_t fileName[MAX_PATH], path[MAX_PATH];
    if (!FormProgramSetFileName(fileName, MAX_PATH, set.name))
        return;
    const wchar_t* const dirs[] = { SetsFolder, FilesFolder() };
    for (const wchar_t* dir : dirs) {
        FormFilePath(path, MAX_PATH, dir, fileName);
        if (path[0])
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
        for (int k = 0; k < RemoteKeyCount; ++k)
            image[k] = *ProgramSetKey((int)(&set - ProgramSets), k);
        if (SaveBindingsFile(fileName, image, waitMs))
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

const KeyActions* ProgramSetKey(int set, int k)
{
    if (set == AllPrograms)
        return &Profile[k];
    const KeyActions* block = ProgramSets[set].keys[k];
    return block ? block : &NoActions;
}

KeyActions* ProgramSetKeyForEdit(int set, int k)
{
    if (set == AllPrograms)
        return &Profile[k];
    ProgramSets[set].changed = true;
    KeyActions* block = BlockFor(ProgramSets[set], k);
    return block ? block : &LostEdits;
}

const KeyActions& BindingsForKey(int k, int set, int* used)
{
    *used = AllPrograms;
    if (k > 0 && set >= 0 && set < MaxProgramSets && ProgramSets[set].inUse) {
        const KeyActions* own = ProgramSets[set].keys[k];
        if (own && BindsKey(*own)) {
            *used = set;
            return *own;
        }
    }
    return Profile[k];
}
