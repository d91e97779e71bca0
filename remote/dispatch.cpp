// The dispatcher: a key's four slots, in slot order, each through its executor.
#include "core/dispatcher.h"

#include <windows.h>

#include "actions/clock.h"
#include "actions/keys.h"
#include "actions/media_player.h"
#include "actions/message.h"
#include "actions/mouse.h"
#include "actions/program.h"
#include "actions/system.h"
#include "actions/tv_apps.h"
#include "actions/virtual_keys.h"
#include "actions/volume.h"
#include "actions/winamp.h"
#include "core/catalogue.h"
#include "core/profile.h"
#include "core/text.h"
#include "core/vendor_apps.h"
#include "shell/active.h"

// Winamp command ids of types 1 to 12. Stop and Pause, and the volume pair,
// do not follow catalogue order.
static const int32_t WinampCommands[12] = {
    40044, 40045, 40047, 40046, 40048, 40058, 40059, 40060, 40061, 252, 253, 16,
};

// Record texts come from a file: a text may fill its field with no terminator.
struct RecordTexts {
    char a[ProgramPathWidth];
    char b[ProgramPathWidth];
};

static void RunProgramSlot(const ActionRecord& r)
{
    RecordTexts t;
    ReadField(t.a, r.programPath, ProgramPathWidth);
    ReadField(t.b, r.parameters, ParametersWidth);
    RunProgram(t.a, t.b);
}

static void SendMessageSlot(const ActionRecord& r)
{
    RecordTexts t;
    ReadField(t.a, r.windowClass, WindowClassWidth);
    ReadField(t.b, r.windowName, WindowNameWidth);
    PostToWindow(t.a, t.b[0] ? t.b : NULL, (uint32_t)r.number, (uint32_t)r.wParam,
                 (uint32_t)r.lParam);
}

static void VirtualKeySlot(const ActionRecord& r)
{
    // A stored index outside the table names no key: the slot is skipped.
    if (r.number < 0 || r.number >= VirtualKeyCount)
        return;
    HWND target = NULL;
    RecordTexts t;
    ReadField(t.a, r.windowClass, WindowClassWidth);
    if (t.a[0]) {
        ReadField(t.b, r.windowName, WindowNameWidth);
        target = FindWindowA(t.a, t.b[0] ? t.b : NULL);
    }
    SendKeyCombo(target, (uint8_t)VirtualKeyTable[r.number].vk, (uint8_t)(r.wParam & 0xFF));
}

static void RunSlot(const ActionRecord& r)
{
    int32_t type = r.type;
    if (type >= 1 && type <= 12) {
        WinampCommand(WinampCommands[type - 1]);
        return;
    }
    switch (type) {
    case 13: case 14: case 15: case 16: case 17: case 18: case 19:
    case 35: case 36: case 62: case 63:
        MediaPlayerCommand(type);
        break;
    case 20: VolumeCommand(1); break;
    case 21: VolumeCommand(0); break;
    case 64: VolumeCommand(-1); break;
    case 22: case 23: case 24: case 25: case 26: case 27:
        MouseCommand(type - 22);
        break;
    case 61: MouseCommand(6); break;
    case 28: ExitSystem(EWX_POWEROFF); break;
    case 29: ExitSystem(EWX_REBOOT); break;
    case 30: LockComputer(); break;
    case ActionExecuteProgram: RunProgramSlot(r); break;
    case ActionSendMessage: SendMessageSlot(r); break;
    case 33: SetMonitorPower(2); break;
    case 34: SetMonitorPower(-1); break;
    case ActionVirtualKey: VirtualKeySlot(r); break;
    case 65: ShowClock(); break;
    default:
        if (type >= 37 && type <= 59)
            TvAppCommand(type);
        break;    // 0 and every value outside 1..65: an empty slot
    }
}

void ExecuteKeyActions(int k)
{
    if (k == 0) {
        LaunchVendorApp();
        return;
    }
    if (k < 0 || k >= RemoteKeyCount || !ActiveFlag)
        return;
    for (int s = 0; s < SlotsPerKey; ++s)
        RunSlot(Profile[k].slot[s]);
}
