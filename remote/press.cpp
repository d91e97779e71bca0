// The press state machine: codes and times in, slots to run and the next
// moment to look out.
#include "remote/press.h"

#include "core/held_choices.h"

// A gap below one repeat of the fastest remote would split every held key
// into presses; one above a few seconds would never let a press end.
enum { MinGapMs = 50, MaxGapMs = 2000, MaxLongPressMs = 10000 };

PressTimes PressTimesOf(int32_t repeatGapMs, int32_t longPressMs)
{
    PressTimes t;
    t.gap = (DWORD)(repeatGapMs < MinGapMs ? MinGapMs : repeatGapMs > MaxGapMs ? MaxGapMs : repeatGapMs);
    t.longPress = (DWORD)(longPressMs < (int32_t)t.gap ? (int32_t)t.gap
                          : longPressMs > MaxLongPressMs ? MaxLongPressMs : longPressMs);
    return t;
}

static void Add(PressStep* s, unsigned slots, bool pressBefore, bool heldRepeat)
{
    if (slots == SlotsNone || s->count == 2)
        return;
    PressRun& r = s->runs[s->count++];
    r.slots = slots;
    r.pressBefore = pressBefore;
    r.heldRepeat = heldRepeat;
}

bool ContinuesPress(const PressState& p, int32_t code, DWORD now, PressTimes t)
{
    return p.going && code == p.code && now - p.lastDone < t.gap;
}

// Whether the press was still held when it had lasted longPress: its last
// code was done with less than a gap before that moment.
static bool HeldAtLongMoment(const PressState& p, PressTimes t)
{
    return p.lastDone - p.began + t.gap > t.longPress;
}

PressStep PressTime(PressState* p, DWORD now, PressTimes t)
{
    PressStep s = {};
    if (!p->going || p->choice != ChoiceLongPress || p->longRan) {
        p->going = p->going && now - p->lastDone < t.gap;
        return s;
    }
    if (now - p->began >= t.longPress && HeldAtLongMoment(*p, t)) {
        p->longRan = true;
        Add(&s, SlotsLongPress, true, false);
    }
    if (now - p->lastDone >= t.gap) {
        p->going = false;
        if (!p->longRan)
            Add(&s, SlotsShortPress, true, false);
    }
    return s;
}

PressStep PressCode(PressState* p, int32_t code, int choice, DWORD now, PressTimes t)
{
    if (ContinuesPress(*p, code, now, t)) {
        PressStep s = PressTime(p, now, t);    // a long moment the receiver had no time to see
        if (p->choice == ChoiceRepeat)
            Add(&s, SlotsAll, false, false);
        else if (p->choice == ChoiceAutomatic)
            Add(&s, SlotsAll, false, true);
        return s;
    }
    // Any other code, or this one after the gap, ends the press before:
    // a "Long press" key cut short by another key ran nothing yet.
    PressStep s = PressTime(p, now, t);
    if (p->going && p->choice == ChoiceLongPress && !p->longRan)
        Add(&s, SlotsShortPress, true, false);
    p->going = true;
    p->code = code;
    p->choice = choice;
    p->began = now;
    p->lastDone = now;
    p->longRan = false;
    if (choice != ChoiceLongPress)
        Add(&s, SlotsAll, false, false);
    return s;
}

void PressCodeDone(PressState* p, DWORD now)
{
    p->lastDone = now;
}

DWORD PressDueIn(const PressState& p, DWORD now, PressTimes t)
{
    if (!p.going || p.choice != ChoiceLongPress || p.longRan)
        return INFINITE;
    DWORD due = p.lastDone + t.gap;    // the end of the press
    if (HeldAtLongMoment(p, t))
        due = p.began + t.longPress;    // comes first: the end is later
    return due - now < 0x80000000u ? due - now : 0;    // already past
}
