// Mouse emulation: accelerating relative moves and clicks.
#pragma once
#include <stdint.h>

// The move length in pixels before truncation, and the tick count of the
// previous mouse action. Both 0 at start; shared by all seven actions.
extern double MouseStep;
extern uint32_t LastMouseTick;

// Largest move sent, either way: far beyond any desktop, and safely inside
// the range of the 32-bit offsets the input records carry.
enum { MaxMouseMove = 100000 };

// code: 0 up, 1 down, 2 left, 3 right, 4 left click, 5 right click, 6 double click.
void MouseCommand(int32_t code);

// The step after a press td milliseconds after the previous one.
double AcceleratedMouseStep(double step, uint32_t td, int32_t multiplier);

// The step truncated toward zero to whole pixels, at most MaxMouseMove either way.
int32_t MouseStepPixels(double step);
