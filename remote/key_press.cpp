// Key-press handling: shows the key, flashes the tray icon, runs the actions.
#include "remote/key_press.h"

#include "core/countdown.h"
#include "core/pressed_key.h"
#include "core/program_sets.h"
#include "core/remote_keys.h"
#include "remote/dispatch.h"
#include "remote/program_in_front.h"

// The dialog and the tray icon belong to other threads: both learn of the
// key without this thread waiting for them. The dialog is told before the
// actions run; the idle tick thread is woken for the flash after them, so
// that it does not share the machine with them.
static void HandleRemoteKey(WPARAM wParam)
{
    // The reminder sends a 32-bit code; compare it whole.
    int32_t code = (int32_t)(uint32_t)wParam;
    int k = FindRemoteKey(code);
    if (k == NoRemoteKey) {
        NotePressedKey((uint32_t)code, KeyPressUnknown);
        return;
    }
    bool wakeTicks = ArmTrayFlash();
    // The program in front decides once, before anything runs: an action
    // that brings another window forward does not change the press's set.
    int used;
    KeySlots slots = BindingsForKey(k, k == 0 ? AllPrograms : ProgramSetInFront(), &used);
    NotePressedKey((uint32_t)k, KeyPressKnown, used);
    RunKeyActions(k, slots);
    // The flash is shown at the first tick after this, for its full time.
    if (wakeTicks)
        StartArmedFlash();
}

LRESULT CALLBACK KeyPressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RemoteKeyMessage)
        HandleRemoteKey(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}
