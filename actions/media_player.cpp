// Generic media-player commands: the first supported player that runs gets
// the command in its own numbering and way of delivery.
#include "actions/media_player.h"

#include <windows.h>

#include "core/feedback.h"
#include "platform/peer_send.h"

enum PlayerDelivery {
    SendWmCommand,       // synchronous WM_COMMAND, lParam 0
    PostMv2Command,      // asynchronous WM_COMMAND, lParam 2025
    SendBsPlayerCommand, // synchronous WM_USER + 2, lParam 0
};

struct Player {
    const char* windowClass;
    const char* alternateClass;    // tried only when windowClass finds no window
    PlayerDelivery delivery;
};

enum { PlayerCount = 6 };

// In the order they are tried.
static const Player Players[PlayerCount] = {
    { "Media Player 2", NULL, SendWmCommand },
    { "WMPlayerApp", "WMP Skin Host", SendWmCommand },
    { "MediaPlayerClassicA", NULL, SendWmCommand },
    { "MediaPlayerClassicW", NULL, SendWmCommand },
    { "MV2 Player", NULL, PostMv2Command },
    { "BSPlayer", NULL, SendBsPlayerCommand },
};

// Table entries that are not a command number of the player.
enum {
    Ignored = -1,          // the player does not know the type: nothing is sent or shown
    SendClose = -2,        // synchronous WM_CLOSE instead of the usual delivery
    BsVolumeStepUp = -3,   // BSPlayer: read the volume, set it one higher
    BsVolumeStepDown = -4, // BSPlayer: read the volume, set it one lower
};

struct MediaPlayerRow {
    int32_t type;
    const char* word;    // NULL: no status word
    int32_t command[PlayerCount];    // in the order of Players
};

static const MediaPlayerRow MediaPlayerCommands[] = {
    //                    Media Player 2  WMPlayerApp  MPC-A        MPC-W        MV2    BSPlayer
    { 13, "PLAY",     { 3047,        18808,       889,         157,         40103, 21 } },
    { 14, "STOP",     { 3048,        18809,       890,         158,         40104, 22 } },
    { 15, NULL,       { 3055,        18815,       907,         161,         40143, BsVolumeStepUp } },
    { 16, NULL,       { 3056,        18816,       908,         162,         40144, BsVolumeStepDown } },
    { 17, NULL,       { 3057,        18817,       909,         163,         40142, 35 } },
    { 18, NULL,       { 3042,        18782,       830,         141,         40182, 10 } },
    { 19, NULL,       { SendClose,   SendClose,   SendClose,   SendClose,   40280, 77 } },
    { 35, "REWIND",   { Ignored,     Ignored,     894,         159,         40124, 106 } },
    { 36, "FORWARD",  { Ignored,     Ignored,     895,         160,         40121, 105 } },
    { 62, "PREVIOUS", { Ignored,     18810,       920,         164,         40200, 25 } },
    { 63, "NEXT",     { Ignored,     18811,       921,         165,         40201, 28 } },
};

enum { FullscreenType = 18 };

static const UINT BsPlayerMessage = WM_USER + 2;
static const WPARAM BsPlayerGetVolume = 0x10105;
static const WPARAM BsPlayerSetVolume = 0x10104;
static const LPARAM Mv2Marker = 2025;

int32_t BsPlayerVolumeStep(int32_t volume, int direction)
{
    // Each direction clamps only at the end it moves towards.
    if (direction > 0)
        return volume >= BsPlayerMaxVolume ? BsPlayerMaxVolume : volume + 1;
    return volume <= 0 ? 0 : volume - 1;
}

static HWND FindPlayer(const Player& p)
{
    HWND w = FindWindowA(p.windowClass, NULL);
    if (!IsWindow(w) && p.alternateClass)
        w = FindWindowA(p.alternateClass, NULL);
    return IsWindow(w) ? w : NULL;
}

// Returns whether the player took the command (a post counts as taken).
static bool Deliver(HWND window, const Player& p, int32_t command)
{
    if (command == SendClose)
        return SendToPeer(window, WM_CLOSE, 0, 0, NULL);
    if (command == BsVolumeStepUp || command == BsVolumeStepDown) {
        LRESULT volume = 0;
        // Without an answer the volume is unknown: nothing is set.
        if (!SendToPeer(window, BsPlayerMessage, BsPlayerGetVolume, 0, &volume))
            return false;
        int32_t next = BsPlayerVolumeStep((int32_t)volume, command == BsVolumeStepUp ? 1 : -1);
        return SendToPeer(window, BsPlayerMessage, BsPlayerSetVolume, (LPARAM)next, NULL);
    }
    WPARAM id = (WPARAM)(uint32_t)command;
    switch (p.delivery) {
    case PostMv2Command:
        PostMessageA(window, WM_COMMAND, id, Mv2Marker);
        return true;
    case SendBsPlayerCommand:
        return SendToPeer(window, BsPlayerMessage, id, 0, NULL);
    case SendWmCommand:
        break;
    }
    return SendToPeer(window, WM_COMMAND, id, 0, NULL);
}

void MediaPlayerCommand(int32_t type)
{
    const MediaPlayerRow* row = NULL;
    for (const MediaPlayerRow& r : MediaPlayerCommands)
        if (r.type == type)
            row = &r;
    if (!row)
        return;
    for (int i = 0; i < PlayerCount; ++i) {
        HWND window = FindPlayer(Players[i]);
        if (!window)
            continue;
        // The first player running decides, even when it ignores the type.
        int32_t command = row->command[i];
        if (command == Ignored)
            return;
        if (type == FullscreenType)
            SetForegroundWindow(window);
        // The word confirms that the player took the command.
        if (Deliver(window, Players[i], command) && row->word)
            ShowOsdText(OsdSlotStatus, row->word);
        return;
    }
}
