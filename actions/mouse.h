// Mouse emulation: accelerating relative moves and clicks.
#pragma once
#include <stdint.h>

// code: 0 up, 1 down, 2 left, 3 right, 4 left click, 5 right click, 6 double click.
void MouseCommand(int32_t code);
