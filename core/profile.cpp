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

// The memory page of every x86 Windows.
enum { PageBytes = 4096 };

// Program sets are read and written through one too: an idle Quellon keeps
// the keys that sets bind, not 98 KB per set.
KeyActions* TakeProfileImage()
{
    return (KeyActions*)VirtualAlloc(NULL, ProfileSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void ReturnProfileImage(KeyActions* image)
{
    if (image)
        VirtualFree(image, 0, MEM_RELEASE);
}

bool IsZero(const void* bytes, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        if (((const char*)bytes)[i])
            return false;
    return true;
}

// Until its first load the Profile is untouched zero pages, and a page of it
// that is written, or even only read, becomes resident memory of its own.
// The file goes through a scratch image, and only the pages of the Profile
// that receive a nonzero byte are written: most of a profile is "None", and
// a missing file leaves the whole Profile untouched. Later loads copy all
// that was read, over whatever the Profile held.
static bool ProfileLoadedBefore;

static void TakeProfileFrom(const KeyActions* image, DWORD size)
{
    const char* from = (const char*)image;
    char* to = (char*)Profile;
    for (DWORD at = 0; at < size;) {
        DWORD n = (DWORD)(PageBytes - (uintptr_t)(to + at) % PageBytes);
        if (n > size - at)
            n = size - at;
        if (ProfileLoadedBefore || !IsZero(from + at, n))
            memcpy(to + at, from + at, n);
        at += n;
    }
}

void LoadProfile()
{
    PlaceOurFile(&ProfileFile, ProfileFileName, ProfileSize);
    DWORD got = 0;
    // A short file leaves the rest of the bindings as they were.
    KeyActions* image = TakeProfileImage();
    ReadOurFile(&ProfileFile, image ? image : Profile, ProfileSize, &got);
    // A file that could not be read leaves zeros in place of all of it.
    if (image)
        TakeProfileFrom(image, ProfileFile.unreadable ? (DWORD)ProfileSize : got);
    ProfileMissing = !ProfileFile.existed && !ProfileFile.unreadable;
    // The first load's image is the Profile, zeros behind the file included.
    KeepLoadedContents(&ProfileFile, image && !ProfileLoadedBefore ? HashBytes(image, ProfileSize)
                                                                     : ProfileHash());
    ReturnProfileImage(image);
    ProfileLoadedBefore = true;
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
