// Generic media-player commands, sent to the first supported player running.
#pragma once
#include <stdint.h>

// type: the action type (13 to 19, 35, 36, 62, 63).
void MediaPlayerCommand(int32_t type);
