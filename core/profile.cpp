// Profile store: loading and saving profile.cfg.
#include "core/profile.h"

#include <windows.h>
#include <string.h>

#include "core/app_state.h"
#include "platform/file_access.h"
#include "platform/paths.h"

KeyActions Profile[RemoteKeyCount];

static const char SaveErrorText[] = "Error encountered saving configuration";

static const wchar_t TempSuffix[] = L".tmp";

// The file on disk could not be read: saving now would put empty bindings
// in the place of the user's.
static bool ProfileUnreadable;
static bool ProfileMissing;

// A bindings file in dir, with the name of its temporary file; false when
// either does not fit.
static bool FormBindingsPaths(wchar_t* path, wchar_t* temp, const wchar_t* dir,
                              const wchar_t* fileName)
{
    FormFilePath(path, MAX_PATH, dir, fileName);
    return path[0] && JoinPath(temp, MAX_PATH, path, TempSuffix);
}

void FinishBindingsReplace(const wchar_t* dir, const wchar_t* fileName)
{
    wchar_t path[MAX_PATH], temp[MAX_PATH];
    if (FormBindingsPaths(path, temp, dir, fileName))
        FinishCutReplace(temp, path, ProfileSize);
}

bool ReadBindingsFile(const wchar_t* path, KeyActions* image, bool* missing)
{
    HANDLE file = OpenForReading(path, missing);
    if (file == INVALID_HANDLE_VALUE) {
        if (!*missing)
            NoteUnreadableFile(path);
        return *missing;
    }
    DWORD got = 0;
    // A read refused half way (a locked range) leaves nothing of it.
    bool read = ReadFile(file, image, ProfileSize, &got, NULL) != FALSE;
    if (!read) {
        NoteUnreadableFile(path);
        memset(image, 0, ProfileSize);
    }
    CloseHandle(file);
    return read;
}

void LoadProfile()
{
    ProfileUnreadable = false;
    ProfileMissing = true;
    const wchar_t* const dirs[] = { ProgramDir, UserDir };
    for (const wchar_t* dir : dirs)
        FinishBindingsReplace(dir, ProfileFileName);
    wchar_t path[MAX_PATH];
    FormLoadFilePath(path, MAX_PATH, ProfileFileName);
    if (path[0] == L'\0')
        return;
    ProfileUnreadable = !ReadBindingsFile(path, Profile, &ProfileMissing);
}

bool ProfileWasMissing()
{
    return ProfileMissing;
}

// The file being saved, for the save that SaveWithRightsFallback repeats.
static const wchar_t* SavingName;
static const KeyActions* SavingImage;

// Writes the whole image to a new file; nonzero only when every byte got
// there and the file was closed cleanly.
static int WriteProfileFile(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD put = 0;
    BOOL wrote = WriteFile(file, SavingImage, ProfileSize, &put, NULL);
    BOOL flushed = FlushFileBuffers(file);
    BOOL closed = CloseHandle(file);
    return wrote && put == ProfileSize && flushed && closed;
}

// Writes the file being saved in the files folder; path receives its name.
static bool SaveProfileIn(wchar_t* path, size_t size, DWORD waitMs)
{
    wchar_t temp[MAX_PATH];
    FormSaveFilePath(path, size, SavingName);
    if (path[0] == L'\0' || !JoinPath(temp, MAX_PATH, path, TempSuffix) || !CanReplaceFile(path))
        return false;
    // The new bindings go to a file beside the old one first, so that a
    // failing disk or a full volume never leaves the user without any.
    if (!WriteProfileFile(temp)) {
        DeleteFileW(temp);
        return false;
    }
    // A sync client or a virus scanner may hold either file for a moment.
    // On FAT the replace is a delete and a rename: LoadProfile mends a
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

bool SaveBindingsFile(const wchar_t* fileName, const KeyActions* image, DWORD waitMs)
{
    wchar_t path[MAX_PATH];
    SavingName = fileName;
    SavingImage = image;
    return SaveWithRightsFallback(SaveProfileIn, path, MAX_PATH, waitMs);
}

void ShowSaveError()
{
    MessageBoxA(ConfigDialog, SaveErrorText, "ERROR", MB_ICONERROR);
}

int SaveProfile(bool quiet, DWORD waitMs)
{
    if (ProfileUnreadable)
        return 0;    // said once at start
    bool saved = SaveBindingsFile(ProfileFileName, Profile, waitMs);
    if (!saved && !quiet)
        ShowSaveError();
    return saved;
}
