// Keystroke synthesis with modifiers, optionally aimed at a window brought to the front.
#pragma once
#include <windows.h>
#include <stdint.h>

// Key flags of a "Virtual Key" action (low byte of its key-flags field).
enum KeyComboFlags {
    KeyAlt = 0x01,
    KeyCtrl = 0x02,
    KeyShift = 0x04,
    KeyWin = 0x08,
    OnlyIfWindowFound = 0x10,
    RestorePreviousWindow = 0x20,
    OnlyIfActive = 0x40,
};

// target may be NULL (keys go to the focused window); vk 0 sends the
// modifiers alone. A target that is hidden, does not answer, or does not
// come to the front gets nothing, and no other window gets its keys.
void SendKeyCombo(HWND target, uint8_t vk, uint8_t flags);

// Makes window the foreground window, and waits a moment until it is there;
// returns the window that had the foreground before. A window already in
// front, itself or through a window it owns, is left as it is; so is a
// hidden one, and one that does not answer within the peer time-out.
HWND BringWindowToFront(HWND window);
