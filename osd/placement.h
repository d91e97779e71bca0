// OSD arithmetic that needs no window: placement, font height, alpha.
#pragma once
#include <windows.h>
#include <stdint.h>

// How a slot's position is computed on one axis.
enum OsdAnchor { OsdAnchorStart = 1, OsdAnchorCentre = 2, OsdAnchorEnd = 3 };

// Left (or top) edge of a text of the given size on a screen of the given
// size: the product in double precision, the half difference as a truncated
// integer division, the result truncated toward zero.
int OsdPosition(uint8_t anchor, double fraction, int screen, int size);

// Top-left corner, in screen coordinates, of a w x h text placed by a
// slot's anchors and fractions within a monitor's rectangle: each axis by
// OsdPosition on that monitor's size, from that monitor's corner.
POINT OsdPlaceOnMonitor(uint8_t horizontalAnchor, uint8_t verticalAnchor, double horizontalFraction,
                        double verticalFraction, const RECT& monitor, int w, int h);

// Font cell height in pixels for a TextSize on a screen of the given height,
// kept within 1 and the screen height: settings.ini is taken unclamped, and
// a huge or negative TextSize must neither overflow nor make a font larger
// than the screen (which would take GDI ages and hide everything beneath).
int OsdFontHeight(int32_t textSize, int screenHeight);

// Milliseconds a text stays for a Timeout: Timeout x 500, formed in 64
// bits. A Timeout of 0 or below counts as one half-second step and a
// product beyond 31 bits as the longest countdown, so that every text is
// hidden again: a countdown of 0 or below would never end.
int32_t OsdDisplayMs(int32_t timeout);

// Window alpha for an Opaque value: the low 8 bits of Opaque x 8 - 1.
uint8_t OsdAlpha(int32_t opaque);
