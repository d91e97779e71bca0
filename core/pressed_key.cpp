// The key pressed last, and the one post that shows it.
#include "core/pressed_key.h"

#include "core/app_state.h"

// The key in the low half, KeyPressKnown or KeyPressUnknown in the high
// half: one 64-bit exchange, so that the dialog never sees half of a press.
static volatile LONGLONG PressedKey;
static volatile LONG PressedKeyPosted;

void NotePressedKey(uint32_t value, int known)
{
    InterlockedExchange64(&PressedKey, (LONGLONG)(((uint64_t)(uint32_t)known << 32) | value));
    if (InterlockedExchange(&PressedKeyPosted, 1) == 0 &&
        !PostMessageA(ConfigDialog, KeyPressedMessage, 0, 0))
        InterlockedExchange(&PressedKeyPosted, 0);    // a full queue: the next press tries again
}

void TakePressedKey(uint32_t* value, int* known)
{
    // Cleared first: a press noted from here on posts anew.
    InterlockedExchange(&PressedKeyPosted, 0);
    uint64_t key = (uint64_t)InterlockedCompareExchange64(&PressedKey, 0, 0);
    *value = (uint32_t)key;
    *known = (int)(key >> 32);
}
