// Where each remote key sits on the on-screen remote, and its keyboard keys.
#include "tools/remote/remote_layout.h"

#include <string.h>

#include "core/remote_keys.h"

const RemoteRow RemoteLayout[RemoteRows] = {
    { { "POWER", "TVFM", "FULL", "BOSS" }, 0 },
    { { "CH1", "CH2", "CH3", "SLEEP" }, 1 },
    { { "CH4", "CH5", "CH6", "DISPL" }, 0 },
    { { "CH7", "CH8", "CH9", "MTS" }, 0 },
    { { "RECALL", "CH0", "ENTER", "DOT" }, 0 },
    { { "VOL+", "MUTE", "CH+", "FINE+" }, 1 },    // the rockers
    { { "VOL-", "SURF", "CH-", "FINE-" }, 0 },
    { { "MENU", "INFO", "CANCEL", "[...]" }, 1 },
    { { "TEXTR", "TEXTG", "TEXTY", "TEXTB" }, 1 },    // the colour keys
    { { "TEXT", "VIDEO", "PIP", "SNAP" }, 0 },
    { { "REWND", "PLAY", "FORWD", "TSHIFT" }, 1 },    // transport
    { { "BACK", "STOP", "NEXT", "REC" }, 0 },
};

const RemoteShortcut RemoteShortcuts[] = {
    { '0', "CH0" }, { '1', "CH1" }, { '2', "CH2" }, { '3', "CH3" }, { '4', "CH4" },
    { '5', "CH5" }, { '6', "CH6" }, { '7', "CH7" }, { '8', "CH8" }, { '9', "CH9" },
    { VK_NUMPAD0, "CH0" }, { VK_NUMPAD1, "CH1" }, { VK_NUMPAD2, "CH2" }, { VK_NUMPAD3, "CH3" },
    { VK_NUMPAD4, "CH4" }, { VK_NUMPAD5, "CH5" }, { VK_NUMPAD6, "CH6" }, { VK_NUMPAD7, "CH7" },
    { VK_NUMPAD8, "CH8" }, { VK_NUMPAD9, "CH9" },
    // The arrows are the channel and fine-tuning rockers.
    { VK_UP, "CH+" }, { VK_DOWN, "CH-" }, { VK_LEFT, "FINE-" }, { VK_RIGHT, "FINE+" },
    { VK_ADD, "VOL+" }, { VK_OEM_PLUS, "VOL+" }, { VK_SUBTRACT, "VOL-" }, { VK_OEM_MINUS, "VOL-" },
    { 'M', "MUTE" }, { 'D', "DISPL" }, { VK_RETURN, "ENTER" }, { VK_ESCAPE, "CANCEL" },
    { VK_SPACE, "PLAY" }, { 'T', "TEXT" }, { 'F', "FULL" }, { 'P', "POWER" },
};
const int RemoteShortcutCount = (int)(sizeof RemoteShortcuts / sizeof RemoteShortcuts[0]);

int RemoteKeyByName(const char* name)
{
    for (int k = 0; k < RemoteKeyCount; ++k)
        if (strcmp(RemoteKeyTable[k].name, name) == 0)
            return k;
    return -1;
}
