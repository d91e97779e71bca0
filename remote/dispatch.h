// Runs the bound actions of one remote key, each through its executor.
#pragma once

// k: key index 0..47. Key 0 always starts the card maker's application.
void ExecuteKeyActions(int k);
struct KeyActions;
// The same with the bindings chosen for the press (all programs', or the
// program in front's own).
void RunKeyActions(int k, const KeyActions& actions);
