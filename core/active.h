// The on/off switch of the key actions, toggled from the tray menu.
#pragma once

// 1 at every start. While 0, key presses are shown but their actions do not
// run, except the first key's.
extern volatile long ActiveFlag;
