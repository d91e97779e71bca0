// Generic media-player commands, sent to the first supported player running.
#pragma once
#include <stdint.h>

enum { BsPlayerMaxVolume = 24 };

// type: the action type (13 to 19, 35, 36, 62, 63).
void MediaPlayerCommand(int32_t type);

// BSPlayer's volume after one step from volume; direction > 0 up, else down.
int32_t BsPlayerVolumeStep(int32_t volume, int direction);
