// The Configuration dialog: the editor of the bindings.
#pragma once
#include <stdint.h>

// Key index whose slots the dialog shows; 0 at start. Also written by the
// receiver thread when a key press selects its key in the visible dialog.
extern volatile int32_t SelectedKey;

// Start-up step once the dialog window exists: fills the lists, wires the routes.
void CreateConfigDialog();

// Takes the key list's selection as SelectedKey and shows that key. Returns 1.
int RefreshSelectedKey();

// Saves profile.cfg, then hides the dialog. Returns 1.
int CloseConfigDialog();
