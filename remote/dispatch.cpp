// The dispatch of a key: its four slots, in slot order, each through the
// executor of its action type.
#include "remote/dispatch.h"

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
#include "core/active.h"
#include "core/catalogue.h"
#include "core/held_choices.h"
#include "core/profile.h"
#include "core/text.h"
#include "core/vendor_apps.h"
#include "platform/window_lookup.h"

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
    ReadField(t.a, ProgramPathWidth, r.programPath);
    ReadField(t.b, ParametersWidth, r.parameters);
    RunProgram(t.a, t.b);
}

static void SendMessageSlot(const ActionRecord& r)
{
    RecordTexts t;
    ReadField(t.a, WindowClassWidth, r.windowClass);
    ReadField(t.b, WindowNameWidth, r.windowName);
    PostToWindow(t.a, t.b[0] ? t.b : NULL, (uint32_t)r.number, (uint32_t)r.wParam,
                 (uint32_t)r.lParam);
}

static void VirtualKeySlot(const ActionRecord& r)
{
    // The dialog may store into the slot meanwhile: the row is read once, and
    // a stored index outside the table names no key: the slot is skipped.
    int32_t row = r.number;
    if (row < 0 || row >= VirtualKeyCount)
        return;
    HWND target = NULL;
    RecordTexts t;
    ReadField(t.a, WindowClassWidth, r.windowClass);
    if (t.a[0]) {
        ReadField(t.b, WindowNameWidth, r.windowName);
        target = FindBoundWindow(t.a, WindowClassWidth, t.b[0] ? t.b : NULL, WindowNameWidth);
    }
    SendKeyCombo(target, (uint8_t)VirtualKeyTable[row].vk, (uint8_t)(r.wParam & 0xFF));
}

static void RunSlot(const ActionRecord& r)
{
    int32_t type = r.type;
    if (type >= ActionWinampPrevious && type <= ActionWinampClose) {
        WinampCommand(WinampCommands[type - ActionWinampPrevious]);
        return;
    }
    if (type >= ActionIuVcrClose && type <= ActionIuVcrRecall) {
        TvAppCommand(type);
        return;
    }
    switch (type) {
    case ActionMediaPlayerPlayPause: case ActionMediaPlayerStop: case ActionMediaPlayerVolUp:
    case ActionMediaPlayerVolDown: case ActionMediaPlayerVolMute: case ActionMediaPlayerFullscreen:
    case ActionMediaPlayerClose: case ActionMediaPlayerRewind: case ActionMediaPlayerForward:
    case ActionMediaPlayerPrevious: case ActionMediaPlayerNext:
        MediaPlayerCommand(type);
        break;
    case ActionVolumeUp: VolumeCommand(1); break;
    case ActionVolumeDown: VolumeCommand(0); break;
    case ActionVolumeMute: VolumeCommand(-1); break;
    case ActionMousePointerUp: MouseCommand(0); break;
    case ActionMousePointerDown: MouseCommand(1); break;
    case ActionMousePointerLeft: MouseCommand(2); break;
    case ActionMousePointerRight: MouseCommand(3); break;
    case ActionMouseLeftClick: MouseCommand(4); break;
    case ActionMouseRightClick: MouseCommand(5); break;
    case ActionMouseDoubleClick: MouseCommand(6); break;
    case ActionSystemShutdown: ExitSystem(EWX_POWEROFF); break;
    case ActionSystemReboot: ExitSystem(EWX_REBOOT); break;
    case ActionLock: LockComputer(); break;
    case ActionExecuteProgram: RunProgramSlot(r); break;
    case ActionSendMessage: SendMessageSlot(r); break;
    case ActionMonitorOff: SetMonitorPower(MonitorPowerOff); break;
    case ActionMonitorOn: SetMonitorPower(MonitorPowerOn); break;
    case ActionVirtualKey: VirtualKeySlot(r); break;
    case ActionDisplayTime: ShowClock(); break;
    default:
        break;    // ActionNone and every value outside the catalogue: an empty slot
    }
}

// "Virtual Key" repeats, held, only as a key of the keyboard would: an
// arrow, a page or a volume key with no modifier.
static bool VirtualKeyRepeats(const ActionRecord& r)
{
    static const int32_t Repeating[] = {
        VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_PRIOR, VK_NEXT, VK_VOLUME_DOWN, VK_VOLUME_UP,
    };
    int32_t row = r.number;
    if (row < 0 || row >= VirtualKeyCount || (r.wParam & (KeyAlt | KeyCtrl | KeyShift | KeyWin)))
        return false;
    for (int32_t vk : Repeating)
        if (VirtualKeyTable[row].vk == vk)
            return true;
    return false;
}

bool SlotRepeatsWhenHeld(const ActionRecord& r)
{
    int32_t type = r.type;
    if (type < 0 || type >= ActionTypeCount)
        return false;
    switch (ActionCatalogue[type].held) {
    case HeldRepeats: return true;
    case HeldRepeatsIfNavigationKey: return VirtualKeyRepeats(r);
    default: return false;
    }
}

PressBindings ChoosePressBindings(int k)
{
    PressBindings b;
    b.key = k;
    b.actions = k >= 0 && k < RemoteKeyCount ? &Profile[k] : NULL;
    // "POWER" starts the maker's application once per press, whatever is stored.
    b.choice = k == 0 ? ChoiceOnce : HeldChoiceOf(ProfileHeldChoices, k);
    return b;
}

void RunPressSlots(const PressBindings& b, unsigned slots, bool heldRepeat)
{
    if (b.key == 0) {
        if (slots && !heldRepeat)
            LaunchVendorApp();
        return;
    }
    if (!b.actions || !ActiveFlag)
        return;
    for (int s = 0; s < SlotsPerKey; ++s)
        if ((slots & (1u << s)) && (!heldRepeat || SlotRepeatsWhenHeld(b.actions->slot[s])))
            RunSlot(b.actions->slot[s]);
}

void ExecuteKeyActions(int k)
{
    if (k >= 0 && k < RemoteKeyCount)
        RunPressSlots(ChoosePressBindings(k), 0xF, false);
}
