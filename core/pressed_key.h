// The key pressed last, handed from the key path to the Configuration
// dialog (ConfigDialog).
#pragma once
#include <windows.h>
#include <stdint.h>

// The key pressed last, for the Configuration dialog, whose own thread shows
// it: the key index (KeyPressKnown) or the code that names no key
// (KeyPressUnknown). The key path notes each press and posts
// KeyPressedMessage to ConfigDialog unless one is on its way already: a
// burst of presses costs the dialog one look, at the last of them.
enum { KeyPressedMessage = WM_APP + 0x20, KeyPressUnknown = 0, KeyPressKnown = 1 };

// The key path: never waits. A repeat of the last key while the dialog is
// hidden changes nothing it shows and is not handed on.
// set: the program set whose bindings the press ran, or AllPrograms.
void NotePressedKey(uint32_t value, int known, int set = -1);

// Whether the dialog is on screen: it then jumps to each key pressed.
bool DialogShown();

// The dialog, on KeyPressedMessage: the key pressed last.
void TakePressedKey(uint32_t* value, int* known, int* set);
