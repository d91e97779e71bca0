// Key-press handling: shows every code, groups the codes into presses and
// runs the slots each press calls for, one press's actions at a time.
#include "remote/key_press.h"

#include "core/countdown.h"
#include "core/preferences.h"
#include "core/pressed_key.h"
#include "core/remote_keys.h"
#include "platform/window_lookup.h"
#include "remote/dispatch.h"
#include "remote/press.h"
#include "remote/program_in_front.h"

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
// key without this thread waiting for them. A visible dialog is told before
// the actions run, as the user watches it jump to the key. A hidden one,
// which only keeps "Pressed Key" for when it is shown, and the tray's flash
// are told a moment after them: waking two threads, and the tray's program
// for the flash, right after a post to a player would take the machine from
// the player as it reacts. The moment is longer than a loaded machine takes
// to let the player read its message, and too short for the eye to see the
// flash come late. Codes that come meanwhile are told once, at the last of
// them.
enum { FeedbackDelayMs = 25 };

struct Feedback {
    DWORD at;       // tick count, while anything is owed
    int32_t code;
    int key;
    int set;
    bool note;      // "Pressed Key" is owed
    bool flash;     // StartArmedFlash is owed
};
static Feedback Owed;

static void NoteCode(int32_t code, int k, int set)
{
    if (k == NoRemoteKey)
        NotePressedKey((uint32_t)code, KeyPressUnknown);
    else
        NotePressedKey((uint32_t)k, KeyPressKnown, set);
}

static bool FeedbackOwed()
{
    return Owed.note || Owed.flash;
}

// ms until the feedback owed is due (0: now), INFINITE when none is owed.
static DWORD FeedbackDueIn(DWORD now)
{
    if (!FeedbackOwed())
        return INFINITE;
    LONG left = (LONG)(Owed.at - now);
    return left > 0 ? (DWORD)left : 0;
}

static void GiveFeedback()
{
    Feedback f = Owed;
    Owed = Feedback();
    if (f.note)
        NoteCode(f.code, f.key, f.set);
    // The flash is shown at the first tick after this, for its full time.
    if (f.flash)
        StartArmedFlash();
}

static void HandleCode(int32_t code)
{
    int k = FindRemoteKey(code);
    // A code that names no key still ends the press before: it is another code.
    DWORD now = GetTickCount();
    PressBindings before = Bindings;
    if (!ContinuesPress(Press, code, now, Times()))
        Bindings = ChoosePressBindingsInFront(k == NoRemoteKey ? -1 : k);
    bool flash = k != NoRemoteKey && ArmTrayFlash();
    bool toldFirst = DialogShown();
    if (toldFirst)
        NoteCode(code, k, Bindings.set);
    RunStep(PressCode(&Press, code, Bindings.choice, now, Times()), before);
    NoteWindowInFront(NULL);    // what comes later finds the front anew
    // A reminder whose send waited for the actions repeats at once: the
    // gap counts from here.
    DWORD done = GetTickCount();
    PressCodeDone(&Press, done);
    if (!FeedbackOwed())
        Owed.at = done + FeedbackDelayMs;
    if (!toldFirst) {
        Owed.note = true;
        Owed.code = code;
        Owed.key = k;
        Owed.set = Bindings.set;
    }
    Owed.flash = Owed.flash || flash;
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

DWORD KeyWorkDueInMs()
{
    DWORD now = GetTickCount();
    DWORD press = PressDueIn(Press, now, Times());
    DWORD feedback = FeedbackDueIn(now);
    return feedback < press ? feedback : press;
}

void DoKeyWork()
{
    if (Handling)
        return;
    Handling = true;
    RunStep(PressTime(&Press, GetTickCount(), Times()), Bindings);
    HandleQueuedCodes();
    Handling = false;
    if (FeedbackDueIn(GetTickCount()) == 0)
        GiveFeedback();
}

LRESULT CALLBACK KeyPressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RemoteKeyMessage)
        HandleRemoteKey(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}
