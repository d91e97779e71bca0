// The key pressed last, and the one post that shows it.
#include "core/pressed_key.h"

#include "core/app_state.h"

// The key in the low half, KeyPressKnown or KeyPressUnknown in the low byte
// of the high half and the set plus one above it: one 64-bit exchange, so
// that the dialog never sees half of a press.
static volatile LONGLONG PressedKey;
static volatile LONG PressedKeyPosted;

// The key path's own record of the last key it handed on; -1: none.
static LONGLONG LastNotedKey = -1;

void NotePressedKey(uint32_t value, int known, int set)
{
    uint32_t high = (uint32_t)known | ((uint32_t)(set + 1) << 8);
    LONGLONG key = (LONGLONG)(((uint64_t)high << 32) | value);
    // A held key repeats what the hidden dialog shows already: nothing new to
    // show, and the main thread is not woken on every repeat. The visible
    // dialog is told each time, as it selects the key again.
    if (key == LastNotedKey && !DialogShown())
        return;
    InterlockedExchange64(&PressedKey, key);
    if (InterlockedExchange(&PressedKeyPosted, 1) == 0 &&
        !PostMessageA(ConfigDialog, KeyPressedMessage, 0, 0)) {
        InterlockedExchange(&PressedKeyPosted, 0);    // a full queue: the next press tries again
        LastNotedKey = -1;
        return;
    }
    LastNotedKey = key;
}

bool DialogShown()
{
    return IsWindowVisible(ConfigDialog) != FALSE;
}

void TakePressedKey(uint32_t* value, int* known, int* set)
{
    // Cleared first: a press noted from here on posts anew.
    InterlockedExchange(&PressedKeyPosted, 0);
    uint64_t key = (uint64_t)InterlockedCompareExchange64(&PressedKey, 0, 0);
    *value = (uint32_t)key;
    *known = (int)((key >> 32) & 0xFF);
    *set = (int)(key >> 40) - 1;
}
