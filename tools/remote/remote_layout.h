// The on-screen remote's key layout and keyboard map: data, so that a test
// can check that every key of the remote is there exactly once.
#pragma once
#include <windows.h>

enum { RemoteColumns = 4, RemoteRows = 12 };

struct RemoteRow {
    const char* names[RemoteColumns];    // names of the key table
    int gapAbove;                        // a group starts here
};

// Top to bottom, laid out like the real remote.
extern const RemoteRow RemoteLayout[RemoteRows];

struct RemoteShortcut {
    UINT virtualKey;
    const char* name;
};

// Keys of the PC keyboard that press a remote key.
extern const RemoteShortcut RemoteShortcuts[];
extern const int RemoteShortcutCount;

// Key index of a key table name, or -1.
int RemoteKeyByName(const char* name);
