// The Configuration dialog: the editor of the bindings.
#pragma once

// Start-up step once the dialog window exists: fills the lists, wires the
// routes, among them the one of the key presses posted by the key path.
void CreateConfigDialog();

// The route alone that shows the keys pressed on the remote in ConfigDialog,
// for a window that stands in for the dialog.
void AddPressedKeyRoute();
