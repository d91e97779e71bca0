// The keys a "Virtual Key" action can send. A stored action holds the row
// index, not the code, so the order is part of the profile.cfg format.
#pragma once
#include <stdint.h>

enum { VirtualKeyCount = 110, VirtualKeyNameWidth = 24 };

// The "None" row (code 0): the modifiers alone.
enum { VirtualKeyNoneRow = 91 };

struct VirtualKeyEntry {
    char name[VirtualKeyNameWidth];
    int32_t vk;
};

extern const VirtualKeyEntry VirtualKeyTable[VirtualKeyCount];
