// The one bit of who has the remote, and the post that tells of a change.
#include "core/remote_owner.h"

#include "core/app_state.h"

static volatile LONG VendorAppHasRemote;

void NoteVendorAppRunning(bool running)
{
    LONG now = running ? 1 : 0;
    if (InterlockedExchange(&VendorAppHasRemote, now) != now && ConfigDialog)
        PostMessageA(ConfigDialog, RemoteOwnerMessage, 0, 0);
}

int VendorAppRunning()
{
    return InterlockedCompareExchange(&VendorAppHasRemote, 0, 0);
}
