// Profile store: loading and saving profile.cfg and the "When held" choices
// that go with it.
#include "core/profile.h"

#include <windows.h>
#include <string.h>

#include "core/app_state.h"
#include "core/held_choices.h"
#include "platform/paths.h"

KeyActions Profile[RemoteKeyCount];
OurFile ProfileFile;
OurFile HeldChoicesFile;

static const char SaveErrorText[] = "Error encountered saving configuration";

static bool ProfileMissing = true;

static uint32_t ProfileHash()
{
    return HashBytes(Profile, ProfileSize);
}

void LoadProfile()
{
    PlaceOurFile(&ProfileFile, ProfileFileName, ProfileSize);
    DWORD got = 0;
    // A short file leaves the rest of the bindings as they were.
    ReadOurFile(&ProfileFile, Profile, ProfileSize, &got);
    ProfileMissing = !ProfileFile.existed && !ProfileFile.unreadable;
    KeepLoadedContents(&ProfileFile, ProfileHash());
    // The choices go where the bindings are read and saved. A missing,
    // short or unreadable file means "Automatic" for every key; one that
    // could not be read is not written over this run.
    wchar_t name[OurFileNameSize];
    uint8_t file[HeldFileSize];
    HeldFileNameFor(name, OurFileNameSize, ProfileFileName);
    PlaceOurFile(&HeldChoicesFile, name, HeldFileSize, &ProfileFile);
    got = 0;
    ReadOurFile(&HeldChoicesFile, file, sizeof file, &got);
    DecodeHeldChoices(file, got, &ProfileHeldChoices);
    EncodeHeldChoices(ProfileHeldChoices, file);
    KeepLoadedContents(&HeldChoicesFile, HashBytes(file, sizeof file));
}

bool ProfileWasMissing()
{
    return ProfileMissing;
}

int SaveProfile(bool quiet, DWORD waitMs)
{
    SaveResult result = SaveOurFile(&ProfileFile, Profile, ProfileSize, ProfileHash(), waitMs);
    // A choices path too long to be used was never read either: nothing to keep.
    if (result != SaveFailed && HeldChoicesFile.savePath[0]) {
        uint8_t file[HeldFileSize];
        EncodeHeldChoices(ProfileHeldChoices, file);
        if (SaveOurFile(&HeldChoicesFile, file, sizeof file, HashBytes(file, sizeof file), waitMs) == SaveFailed)
            result = SaveFailed;
    }
    if (result == SaveFailed && !quiet)
        ShowSaveError();
    return result != SaveFailed;
}

void ShowSaveError()
{
    MessageBoxA(ConfigDialog, SaveErrorText, "ERROR", MB_ICONERROR);
}
