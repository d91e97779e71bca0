// Remote key table and its lookup.
#include "core/remote_keys.h"

const RemoteKey RemoteKeyTable[RemoteKeyCount] = {
    { "POWER", 0 },
    { "TVFM", 2 },
    { "FULL", 3 },
    { "VOL+", 4 },
    { "CH1", 5 },
    { "CH2", 6 },
    { "CH3", 7 },
    { "VOL-", 8 },
    { "CH4", 9 },
    { "CH5", 10 },
    { "CH6", 11 },
    { "CH+", 12 },
    { "CH7", 13 },
    { "CH8", 14 },
    { "CH9", 15 },
    { "CH-", 16 },
    { "RECALL", 17 },
    { "CH0", 18 },
    { "ENTER", 19 },
    { "MUTE", 20 },
    { "DISPL", 22 },
    { "FINE+", 24 },
    { "FINE-", 25 },
    { "MTS", 27 },
    { "VIDEO", 30 },
    { "TEXT", 31 },
    { "SLEEP", 64 },
    { "DOT", 65 },
    { "BACK", 66 },
    { "PLAY", 67 },
    { "NEXT", 68 },
    { "TSHIFT", 69 },
    { "STOP", 70 },
    { "REC", 71 },
    { "SNAP", 72 },
    { "BOSS", 73 },
    { "PIP", 74 },
    { "TEXTR", 75 },
    { "TEXTG", 76 },
    { "TEXTY", 77 },
    { "TEXTB", 78 },
    { "MENU", 79 },
    { "CANCEL", 80 },
    { "SURF", 81 },
    { "[...]", 82 },
    { "INFO", 83 },
    { "REWND", 84 },
    { "FORWD", 85 },
};

int FindRemoteKey(int32_t code)
{
    for (int k = 0; k < RemoteKeyCount; ++k)
        if (RemoteKeyTable[k].code == code)
            return k;
    return NoRemoteKey;
}
