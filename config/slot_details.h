// The details of one action slot as the Configuration dialog shows and
// stores them: plain records and free functions, no windows.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/profile.h"

enum {
    DetailsTextSize = 512,    // every details text is read whole into this much
    NoVirtualKeyRow = -1,
    KeyFlagBoxCount = 7,
};

// What the details area holds when "Set" is pressed: the texts as typed,
// the selected row of the virtual-key list and the bits of the checked boxes.
struct SlotDetails {
    char programPath[DetailsTextSize];
    char parameters[DetailsTextSize];
    char windowClass[DetailsTextSize];
    char windowName[DetailsTextSize];
    char number[DetailsTextSize];
    char wParam[DetailsTextSize];
    char lParam[DetailsTextSize];
    int32_t virtualKeyRow;    // NoVirtualKeyRow when no row is selected
    int32_t keyFlags;
};

// A check box of the "Virtual Key" details and the key-flag bit it stands for.
struct KeyFlagBox {
    int id;
    int32_t bit;
};
extern const KeyFlagBox KeyFlagBoxes[KeyFlagBoxCount];

// 1 for the types whose slot has details: 31, 32 and 60.
int HasSlotDetails(int32_t type);

// A record number as the details show it: unsigned decimal (-1 is 4294967295).
void FormatSlotNumber(int32_t value, char* out, size_t size);

// A typed number: unsigned decimal, blanks around it allowed. An empty field,
// anything that is not a number and anything above 4294967295 give 0.
int32_t ParseSlotNumber(const char* text);

// What the details view shows of a record: its texts through terminated
// copies (a text that fills its field loses the field's last byte, as
// everywhere a record's text is read), its numbers as FormatSlotNumber
// writes them, the virtual-key row (NoVirtualKeyRow when the number names
// no key) and the bits of the key-flag boxes.
void FormatDetailsOfRecord(const ActionRecord& record, SlotDetails* details);

// Stores what "Set" takes for the record's type; other types store nothing.
// Texts are cut to their field's width minus one, and the bytes behind the
// new terminator keep their old content. With no virtual-key row selected
// the "None" row is stored, so that the slot sends the checked modifiers.
void StoreDetailsInRecord(const SlotDetails& details, ActionRecord* record);
