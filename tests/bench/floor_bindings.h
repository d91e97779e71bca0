// The bindings of the benchmark's floor programs: the profile.cfg in their
// folder, of which they run the "Send Message" slots alone.
#pragma once

// Reads profile.cfg from the current folder; missing, it binds nothing.
void LoadFloorBindings();

// Posts every "Send Message" slot of the key, as quellon.exe would.
void RunSendMessageSlots(int key);
