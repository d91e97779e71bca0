// The 48 keys of the remote control: display names and the codes the card
// maker's software delivers. A key's position is the key index used everywhere.
#pragma once
#include <stdint.h>

enum { RemoteKeyCount = 48, RemoteKeyNameWidth = 24, NoRemoteKey = -1 };

struct RemoteKey {
    char name[RemoteKeyNameWidth];
    int32_t code;
};

extern const RemoteKey RemoteKeyTable[RemoteKeyCount];

// Key index 0..47 of the code, or NoRemoteKey. Codes are compared whole.
int FindRemoteKey(int32_t code);
