// Profile store: loading and saving profile.cfg.
#include "core/profile.h"

#include <windows.h>
#include <string.h>

#include "core/app_state.h"
#include "platform/paths.h"

KeyActions Profile[RemoteKeyCount];
OurFile ProfileFile;

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
}

bool ProfileWasMissing()
{
    return ProfileMissing;
}

int SaveProfile(bool quiet, DWORD waitMs)
{
    SaveResult result = SaveOurFile(&ProfileFile, Profile, ProfileSize, ProfileHash(), waitMs);
    if (result == SaveFailed && !quiet)
        MessageBoxA(ConfigDialog, SaveErrorText, "ERROR", MB_ICONERROR);
    return result != SaveFailed;
}
