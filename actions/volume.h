// Master volume and mute of the default sound output.
#pragma once
#include <stddef.h>
#include <stdint.h>

enum {
    VolumeStep = 4096,
    VolumeFull = 65535,
    VolumeBarWidth = 32,
    VolumeLineSize = 48,    // the line itself is 39 characters
    MixerMaxControls = 16,  // controls of the speakers line read at most
};

// direction: 1 one step up, 0 one step down, -1 toggle mute.
void VolumeCommand(int32_t direction);

// Shows "VOL ", a bar of 32 and the percentage of volume (0 to 65535).
void ShowVolumeBar(int32_t volume);
void FormatVolumeLine(char* out, size_t size, int32_t volume);

// A mixer control's value within its own bounds (low < high) as 0 to
// 65535, and back.
uint32_t VolumeFromControl(uint32_t value, uint32_t low, uint32_t high);
uint32_t ControlFromVolume(uint32_t volume, uint32_t low, uint32_t high);

// The endpoint's level (0.0 to 1.0) as 0 to 65535, and back.
uint32_t VolumeFromLevel(float level);
float LevelFromVolume(uint32_t volume);
