// OSD placement arithmetic.
#include "osd/placement.h"

int OsdPosition(uint8_t anchor, double fraction, int screen, int size)
{
    double offset = screen * fraction;
    switch (anchor) {
    case OsdAnchorCentre: return (int)(offset + (screen - size) / 2);
    case OsdAnchorEnd: return (int)((screen - size) - offset);
    default: return (int)offset;
    }
}

int OsdFontHeight(int32_t textSize, int screenHeight)
{
    return (int)((textSize * 0.005 + 0.05) * screenHeight);
}

uint8_t OsdAlpha(int32_t opaque)
{
    return (uint8_t)((uint32_t)opaque * 8u - 1u);
}
