// The Settings dialog: mouse speed, tray behaviour and the OSD's look.
#pragma once

// Start-up step once the dialog window exists: wires the routes.
void CreateSettingsDialog();

// Fills the controls from the records and shows the dialog. Returns 1.
int ShowSettingsDialog();
