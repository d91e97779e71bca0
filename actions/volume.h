// Master volume and mute of the default sound output.
#pragma once
#include <stdint.h>

// direction: 1 one step up, 0 one step down, -1 toggle mute.
void VolumeCommand(int32_t direction);
