// Profile store: loading and saving profile.cfg, and the whole-file reads
// and saves that every file of bindings goes through.
#include "core/profile.h"

#include <windows.h>
#include <string.h>

#include "core/app_state.h"
#include "core/held_choices.h"
#include "platform/file_access.h"
#include "platform/paths.h"

KeyActions Profile[RemoteKeyCount];

static const char SaveErrorText[] = "Error encountered saving configuration";

static const wchar_t TempSuffix[] = L".tmp";

// The file on disk could not be read: saving now would put empty bindings
// in the place of the user's.
static bool ProfileUnreadable;
static bool ProfileMissing;
static bool HeldChoicesUnreadable;

// A bindings file in dir, with the name of its temporary file; false when
// either does not fit.
static bool FormBindingsPaths(wchar_t* path, wchar_t* temp, const wchar_t* dir, const wchar_t* name)
{
    FormFilePath(path, MAX_PATH, dir, name);
    return path[0] && JoinPath(temp, MAX_PATH, path, TempSuffix);
}

void FinishBindingsReplace(const wchar_t* dir, const wchar_t* name, DWORD size)
{
    wchar_t path[MAX_PATH], temp[MAX_PATH];
    if (FormBindingsPaths(path, temp, dir, name))
        FinishCutReplace(temp, path, size);
}

BindingsRead ReadBindingsFile(const wchar_t* name, void* data, DWORD size, DWORD* got, bool report)
{
    *got = 0;
    wchar_t path[MAX_PATH];
    const wchar_t* const dirs[] = { ProgramDir, UserDir };
    for (const wchar_t* dir : dirs)
        FinishBindingsReplace(dir, name, size);
    FormLoadFilePath(path, MAX_PATH, name);
    return ReadBindingsAt(path, data, size, got, report);
}

BindingsRead ReadBindingsAt(const wchar_t* path, void* data, DWORD size, DWORD* got, bool report)
{
    *got = 0;
    if (path[0] == L'\0')
        return BindingsMissing;
    bool missing = true;
    HANDLE file = OpenForReading(path, &missing);
    if (file == INVALID_HANDLE_VALUE) {
        if (missing)
            return BindingsMissing;
        if (report)
            NoteUnreadableFile(path);
        return BindingsUnreadable;
    }
    // A read refused half way (a locked range) leaves nothing of it.
    BindingsRead result = BindingsFound;
    if (!ReadFile(file, data, size, got, NULL)) {
        if (report)
            NoteUnreadableFile(path);
        memset(data, 0, size);
        *got = 0;
        result = BindingsUnreadable;
    }
    CloseHandle(file);
    return result;
}

bool LoadHeldChoices(const wchar_t* bindingsFileName, HeldChoices* c)
{
    wchar_t name[MAX_PATH];
    uint8_t file[HeldFileSize];
    DWORD got = 0;
    HeldFileNameFor(name, MAX_PATH, bindingsFileName);
    BindingsRead r = name[0] ? ReadBindingsFile(name, file, sizeof file, &got, false) : BindingsMissing;
    DecodeHeldChoices(file, r == BindingsFound ? got : 0, c);
    return r != BindingsUnreadable;
}

bool SaveHeldChoices(const wchar_t* bindingsFileName, const HeldChoices& c, DWORD waitMs)
{
    wchar_t name[MAX_PATH], path[MAX_PATH];
    uint8_t file[HeldFileSize];
    HeldFileNameFor(name, MAX_PATH, bindingsFileName);
    // A path too long to be used was never read either: nothing to keep.
    FormSaveFilePath(path, MAX_PATH, name);
    if (!path[0])
        return true;
    EncodeHeldChoices(c, file);
    return SaveBindingsFile(name, file, sizeof file, waitMs);
}

void LoadProfile()
{
    DWORD got;
    BindingsRead r = ReadBindingsFile(ProfileFileName, Profile, ProfileSize, &got, true);
    ProfileMissing = r == BindingsMissing;
    ProfileUnreadable = r == BindingsUnreadable;
    HeldChoicesUnreadable = !LoadHeldChoices(ProfileFileName, &ProfileHeldChoices);
}

bool ProfileWasMissing()
{
    return ProfileMissing;
}

// The file being saved by SaveBindingsIn; main thread only.
struct BindingsFile {
    const wchar_t* name;
    const void* data;
    DWORD size;
};
static const BindingsFile* Saving;

// Writes the whole file anew; nonzero only when every byte got there and
// the file was closed cleanly.
static int WriteWholeFile(const wchar_t* path, const BindingsFile& f)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD put = 0;
    BOOL wrote = WriteFile(file, f.data, f.size, &put, NULL);
    BOOL flushed = FlushFileBuffers(file);
    BOOL closed = CloseHandle(file);
    return wrote && put == f.size && flushed && closed;
}

// Writes the file being saved in the files folder; path receives its name.
static bool SaveBindingsIn(wchar_t* path, size_t size, DWORD waitMs)
{
    wchar_t temp[MAX_PATH];
    FormSaveFilePath(path, size, Saving->name);
    if (path[0] == L'\0' || !JoinPath(temp, MAX_PATH, path, TempSuffix) || !CanReplaceFile(path))
        return false;
    // The new bindings go to a file beside the old one first, so that a
    // failing disk or a full volume never leaves the user without any.
    if (!WriteWholeFile(temp, *Saving)) {
        DeleteFileW(temp);
        return false;
    }
    // A sync client or a virus scanner may hold either file for a moment.
    // On FAT the replace is a delete and a rename: ReadBindingsFile mends a
    // crash in between.
    DWORD start = GetTickCount();
    bool againWhenFree = true;
    while (!MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        if (!AgainWhileHeld(path, temp, DELETE, start, waitMs, &againWhenFree)) {
            DeleteFileW(temp);
            return false;
        }
    return true;
}

bool SaveBindingsFile(const wchar_t* name, const void* data, DWORD size, DWORD waitMs)
{
    const BindingsFile f = { name, data, size };
    Saving = &f;
    wchar_t path[MAX_PATH];
    bool saved = SaveWithRightsFallback(SaveBindingsIn, path, MAX_PATH, waitMs);
    Saving = NULL;
    return saved;
}

int SaveProfile(bool quiet, DWORD waitMs)
{
    if (ProfileUnreadable)
        return 0;    // said once at start
    bool saved = SaveBindingsFile(ProfileFileName, Profile, ProfileSize, waitMs);
    // Choices that could not be read are the user's still: not written over.
    if (saved && !HeldChoicesUnreadable)
        saved = SaveHeldChoices(ProfileFileName, ProfileHeldChoices, waitMs);
    if (!saved && !quiet)
        ShowSaveError();
    return saved;
}

void ShowSaveError()
{
    MessageBoxA(ConfigDialog, SaveErrorText, "ERROR", MB_ICONERROR);
}
