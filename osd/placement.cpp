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

POINT OsdPlaceOnMonitor(uint8_t horizontalAnchor, uint8_t verticalAnchor, double horizontalFraction,
                        double verticalFraction, const RECT& monitor, int w, int h)
{
    POINT at;
    at.x = monitor.left + OsdPosition(horizontalAnchor, horizontalFraction,
                                      monitor.right - monitor.left, w);
    at.y = monitor.top + OsdPosition(verticalAnchor, verticalFraction,
                                     monitor.bottom - monitor.top, h);
    return at;
}

int OsdFontHeight(int32_t textSize, int screenHeight)
{
    double height = (textSize * 0.005 + 0.05) * screenHeight;
    double largest = screenHeight > 1 ? screenHeight : 1;
    if (height < 1)
        return 1;
    return height > largest ? (int)largest : (int)height;
}

int32_t OsdDisplayMs(int32_t timeout)
{
    const int64_t step = 500;
    int64_t ms = (int64_t)timeout * step;
    if (ms < step)
        return (int32_t)step;
    return ms > INT32_MAX ? INT32_MAX : (int32_t)ms;
}

uint8_t OsdAlpha(int32_t opaque)
{
    return (uint8_t)((uint32_t)opaque * 8u - 1u);
}
