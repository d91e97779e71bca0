// Runs the bound actions of one remote key, each through its executor.
#pragma once

// k: key index 0..47. Key 0 always starts the card maker's application.
void ExecuteKeyActions(int k);
// The same with the slots chosen for the press (all programs', or the
// program in front's own).
struct KeySlots;
void RunKeyActions(int k, const KeySlots& slots);
