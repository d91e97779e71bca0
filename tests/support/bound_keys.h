// Starting quellon.exe with chosen bindings and pressing its keys the way
// the card maker's reminder does.
#pragma once
#include "core/profile.h"
#include "tests/support/quellon_run.h"

// Keys 1 to 19 of the remote, whose codes are their index plus one.
enum { FirstBindableKey = 1, LastBindableKey = 19 };

// All slots "None" again.
void ClearBindings();
// A slot of the bindings StartBound writes; type 0 until set.
ActionRecord& Binding(int key, int slot);
// Writes the bindings as profile.cfg into a fresh folder (or dir, which may
// hold other files), starts quellon.exe there and waits for its "Trick Wnd".
bool StartBound(QuellonRun* run, const std::string& dir = "");
// Sends the key press and returns once quellon.exe has run its actions.
void PressKey(const QuellonRun& run, int key);
