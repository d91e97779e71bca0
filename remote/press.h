// The press logic: turns the codes of the remote, each with the time it is
// handled at, into presses, and says which slots of which press run when.
// It knows nothing of windows or clocks: the caller passes the time in.
#pragma once
#include <windows.h>
#include <stdint.h>

enum {
    SlotsNone = 0,
    SlotsAll = 0xF,
    SlotsShortPress = 0x3,    // slots 1 and 2 of a "Long press" key
    SlotsLongPress = 0xC,     // slots 3 and 4
};

// The two times of settings.ini, already checked: gap is how soon the same
// code must come again to hold the key, longPress how long a press must
// last to be a long one.
struct PressTimes {
    DWORD gap;
    DWORD longPress;
};
PressTimes PressTimesOf(int32_t repeatGapMs, int32_t longPressMs);

// Slots to run now. pressBefore: of the press that was going on before the
// code (its long moment or its end), whose bindings the code may have
// replaced. heldRepeat: a repeat of an "Automatic" key, which runs only what
// repeats sensibly.
struct PressRun {
    unsigned slots;
    bool pressBefore;
    bool heldRepeat;
};

// At most two runs, in this order: the press before (its end or its long
// moment, come late), then the code's own.
struct PressStep {
    PressRun runs[2];
    int count;
};

struct PressState {
    bool going;         // a press has begun and not been seen to end
    int32_t code;
    int choice;         // a HeldChoice, fixed at the press's first code
    DWORD began;        // when its first code was handled
    DWORD lastDone;     // when the last code was done with
    bool longRan;
};

// Whether code, handled at now, repeats the press going on: the same code
// within the gap after the last one was done with.
bool ContinuesPress(const PressState& p, int32_t code, DWORD now, PressTimes t);

// A code handled at now. choice applies when it begins a press; a repeat
// keeps the press's own.
PressStep PressCode(PressState* p, int32_t code, int choice, DWORD now, PressTimes t);

// Once the code's actions are done: the gap to the next code counts from here.
void PressCodeDone(PressState* p, DWORD now);

// With no code: a press held long enough runs its long slots, a press whose
// repeats stopped ends (a short "Long press" runs its short slots).
PressStep PressTime(PressState* p, DWORD now, PressTimes t);

// How many ms from now PressTime has work, INFINITE when none waits: only a
// "Long press" key waits for anything.
DWORD PressDueIn(const PressState& p, DWORD now, PressTimes t);
