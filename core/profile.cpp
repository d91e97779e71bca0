// Profile store: loading and saving profile.cfg.
#include "core/profile.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "core/app_state.h"
#include "platform/file_access.h"
#include "platform/paths.h"

KeyActions Profile[RemoteKeyCount];

static const char SaveErrorText[] = "Error encountered saving configuration";

static const char ProfileName[] = "profile.cfg";

// The file on disk could not be read: saving now would put empty bindings
// in the place of the user's.
static bool ProfileUnreadable;
static bool ProfileMissing;

void LoadProfile()
{
    ProfileUnreadable = false;
    ProfileMissing = true;
    char path[MAX_PATH];
    FormLoadFilePath(path, sizeof path, ProfileName);
    if (path[0] == '\0')
        return;
    HANDLE file = OpenForReading(path, &ProfileMissing);
    if (file == INVALID_HANDLE_VALUE) {
        ProfileUnreadable = !ProfileMissing;
    } else {
        DWORD got = 0;
        // A read refused half way (a locked range) leaves nothing of it.
        if (!ReadFile(file, Profile, ProfileSize, &got, NULL)) {
            memset(Profile, 0, sizeof Profile);
            ProfileUnreadable = true;
        }
        CloseHandle(file);
    }
    if (ProfileUnreadable)
        NoteUnreadableFile(path);
}

bool ProfileWasMissing()
{
    return ProfileMissing;
}

// Writes the whole Profile to a new file; nonzero only when every byte got
// there and the file was closed cleanly.
static int WriteProfileFile(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD put = 0;
    BOOL wrote = WriteFile(file, Profile, ProfileSize, &put, NULL);
    BOOL flushed = FlushFileBuffers(file);
    BOOL closed = CloseHandle(file);
    return wrote && put == ProfileSize && flushed && closed;
}

// Writes profile.cfg in the files folder; path receives its name.
static bool SaveProfileIn(char* path, size_t size)
{
    char temp[MAX_PATH];
    FormSaveFilePath(path, size, ProfileName);
    int n = _snprintf(temp, sizeof temp, "%s.tmp", path);
    if (path[0] == '\0' || n <= 0 || (size_t)n >= sizeof temp || !CanReplaceFile(path))
        return false;
    // The new bindings go to a file beside the old one first, so that a
    // failing disk or a full volume never leaves the user without any.
    if (WriteProfileFile(temp) &&
        MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temp);
    return false;
}

int SaveProfile(bool quiet)
{
    if (ProfileUnreadable)
        return 0;    // said once at start
    char path[MAX_PATH];
    bool saved = SaveWithRightsFallback(SaveProfileIn, path, sizeof path);
    if (!saved && !quiet)
        MessageBoxA(ConfigDialog, SaveErrorText, "ERROR", MB_ICONERROR);
    return saved;
}
