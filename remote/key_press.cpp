// Key-press handling: shows every code, groups the codes into presses and
// runs the slots each press calls for, one press's actions at a time.
#include "remote/key_press.h"

#include "core/countdown.h"
#include "core/preferences.h"
#include "core/pressed_key.h"
#include "core/remote_keys.h"
#include "remote/dispatch.h"
#include "remote/press.h"

// All of it belongs to the receiver thread.
static PressState Press;
static PressBindings Bindings;    // of the press going on

// A code sent while a key's actions wait on another program reaches this
// thread inside that wait. It is kept and handled after them, in the order
// the codes came, so that no key's actions run inside another's.
enum { QueuedCodesMax = 64 };
static int32_t QueuedCodes[QueuedCodesMax];
static int QueuedFirst, QueuedCount;
static bool Handling;

static PressTimes Times()
{
    return PressTimesOf(Settings.RepeatGap, Settings.LongPress);
}

static void RunStep(const PressStep& step, const PressBindings& before)
{
    for (int i = 0; i < step.count; ++i) {
        const PressRun& r = step.runs[i];
        RunPressSlots(r.pressBefore ? before : Bindings, r.slots, r.heldRepeat);
    }
}

// The dialog and the tray icon belong to other threads: both learn of the
// key without this thread waiting for them. The dialog is told before the
// actions run; the idle tick thread is woken for the flash after them, so
// that it does not share the machine with them.
static void HandleCode(int32_t code)
{
    int k = FindRemoteKey(code);
    bool wakeTicks = false;
    if (k == NoRemoteKey) {
        NotePressedKey((uint32_t)code, KeyPressUnknown);
    } else {
        wakeTicks = ArmTrayFlash();
        NotePressedKey((uint32_t)k, KeyPressKnown);
    }
    // A code that names no key still ends the press before: it is another code.
    DWORD now = GetTickCount();
    PressBindings before = Bindings;
    if (!ContinuesPress(Press, code, now, Times()))
        Bindings = ChoosePressBindings(k == NoRemoteKey ? -1 : k);
    RunStep(PressCode(&Press, code, Bindings.choice, now, Times()), before);
    // A reminder whose send waited for the actions repeats at once: the
    // gap counts from here.
    PressCodeDone(&Press, GetTickCount());
    // The flash is shown at the first tick after this, for its full time.
    if (wakeTicks)
        StartArmedFlash();
}

static void HandleQueuedCodes()
{
    while (QueuedCount > 0) {
        int32_t code = QueuedCodes[QueuedFirst];
        QueuedFirst = (QueuedFirst + 1) % QueuedCodesMax;
        --QueuedCount;
        HandleCode(code);
    }
}

static void HandleRemoteKey(WPARAM wParam)
{
    // The reminder sends a 32-bit code; compare it whole.
    int32_t code = (int32_t)(uint32_t)wParam;
    if (Handling) {
        // A flood beyond the queue loses its latest codes, never a press begun.
        if (QueuedCount < QueuedCodesMax)
            QueuedCodes[(QueuedFirst + QueuedCount++) % QueuedCodesMax] = code;
        return;
    }
    Handling = true;
    HandleCode(code);
    HandleQueuedCodes();
    Handling = false;
}

DWORD PressDueInMs()
{
    return PressDueIn(Press, GetTickCount(), Times());
}

void LookAtPress()
{
    if (Handling)
        return;
    Handling = true;
    RunStep(PressTime(&Press, GetTickCount(), Times()), Bindings);
    HandleQueuedCodes();
    Handling = false;
}

LRESULT CALLBACK KeyPressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RemoteKeyMessage)
        HandleRemoteKey(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}
