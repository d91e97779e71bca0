// "Bindings for" in the Configuration dialog: whose keys the dialog shows
// and edits, all programs' or one program's own, with "Add..." and "Remove".
#pragma once

// The set being edited: AllPrograms or a program set. Main thread.
int EditedSet();

// Fills the drop-down and wires its routes; showKeys shows the selected key
// of the set chosen.
void CreateBindingsFor(int (*showKeys)());

// Lists the sets anew, once they are loaded.
void ListProgramSets();

// Chooses set in the drop-down, as a press that ran its bindings does.
void ShowBindingsOf(int set);
