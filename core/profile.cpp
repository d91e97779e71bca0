// Profile store: loading and saving profile.cfg.
#include "core/profile.h"

#include <windows.h>
#include <stdio.h>

#include "core/app_state.h"
#include "core/paths.h"

KeyActions Profile[RemoteKeyCount];

static const char SaveErrorText[] = "Error encountered saving configuration";

static const char ProfileName[] = "profile.cfg";

void LoadProfile()
{
    char path[MAX_PATH];
    FormLoadFilePath(path, sizeof path, ProfileName);
    if (path[0] == '\0')
        return;
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD got = 0;
    ReadFile(file, Profile, ProfileSize, &got, NULL);
    CloseHandle(file);
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

int SaveProfile()
{
    char path[MAX_PATH];
    char temp[MAX_PATH];
    FormSaveFilePath(path, sizeof path, ProfileName);
    int n = _snprintf(temp, sizeof temp, "%s.tmp", path);

    // The new bindings go to a file beside the old one first, so that a
    // failing disk or a full volume never leaves the user without any.
    int saved = 0;
    if (path[0] != '\0' && n > 0 && (size_t)n < sizeof temp) {
        if (CanReplaceFile(path)) {
            if (WriteProfileFile(temp) &&
                MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                saved = 1;
            else
                DeleteFileA(temp);
        }
    }
    if (!saved)
        MessageBoxA(ConfigDialog, SaveErrorText, "ERROR", MB_ICONERROR);
    return saved;
}
