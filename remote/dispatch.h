// Runs the bound actions of one remote key, each through its executor.
#pragma once

#include "core/profile.h"

// k: key index 0..47. Key 0 always starts the card maker's application.
// Every slot, whatever the key's "When held" choice.
void ExecuteKeyActions(int k);

// What a press runs, fixed at its first code and kept to its end: whose
// slots, and what the key does while held.
struct PressBindings {
    int key;
    const KeyActions* actions;    // none for a code that names no key
    int choice;                   // a HeldChoice
};

// Decides, at the first code of a press of key k, which bindings and which
// "When held" choice the press follows.
PressBindings ChoosePressBindings(int k);

// Runs the slots of b whose bits are set in slots (bit s: slot s), in slot
// order. heldRepeat: a repeat of a held key, which runs only the slots whose
// action repeats sensibly.
void RunPressSlots(const PressBindings& b, unsigned slots, bool heldRepeat);

// Whether the slot's action is one to run again at every repeat of a held key.
bool SlotRepeatsWhenHeld(const ActionRecord& r);
