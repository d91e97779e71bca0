// Screenshots of the X screen taken with ImageMagick's import, the way a
// person would check what is on screen.
#pragma once
#include <string>
#include <vector>

struct Screenshot {
    int width;
    int height;
    std::vector<unsigned char> rgb;    // width x height x 3, top row first
};

// Takes a shot of the whole screen; false when import is missing or failed.
bool TakeScreenshot(Screenshot* shot);

inline const unsigned char* PixelAt(const Screenshot& s, int x, int y)
{
    return &s.rgb[((size_t)y * s.width + x) * 3];
}
