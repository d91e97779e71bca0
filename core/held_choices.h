// What each key does while it is held, chosen per key beside its bindings,
// and the small file that keeps those choices next to the bindings' file.
#pragma once
#include <windows.h>
#include <stddef.h>
#include <stdint.h>

#include "core/remote_keys.h"

// A key's choice. Every key holds "Automatic" until the user picks another.
enum HeldChoice {
    ChoiceAutomatic = 0,    // the first code runs every slot, repeats what repeats
    ChoiceRepeat = 1,       // every code runs every slot
    ChoiceOnce = 2,         // the first code runs every slot, repeats nothing
    ChoiceLongPress = 3,    // slots 1 and 2 at the end of a short press, 3 and 4 once held
    HeldChoiceCount = 4,
};

enum { HeldChoiceNameWidth = 16 };
extern const char HeldChoiceNames[HeldChoiceCount][HeldChoiceNameWidth];

// The choices of one set of bindings.
struct HeldChoices {
    uint8_t key[RemoteKeyCount];
};

// The choices of profile.cfg's bindings, read and saved with them.
extern HeldChoices ProfileHeldChoices;

// A stored value that is no choice reads as "Automatic".
HeldChoice HeldChoiceOf(const HeldChoices& c, int k);

// The file: a 4-byte mark, then one byte per key in key order.
enum { HeldFileSize = 4 + RemoteKeyCount };
void EncodeHeldChoices(const HeldChoices& c, uint8_t* file);
// got bytes of a file; anything but a whole file of ours gives "Automatic" everywhere.
void DecodeHeldChoices(const uint8_t* file, size_t got, HeldChoices* c);

// The choices file of a bindings file: its name with ".cfg" replaced by
// ".held" (".held" appended when it has no ".cfg"). Empty when it does not fit.
void HeldFileNameFor(wchar_t* name, size_t size, const wchar_t* bindingsFileName);
