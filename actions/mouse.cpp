// Mouse emulation. Not served yet: a bound mouse action does nothing.
#include "actions/mouse.h"

void MouseCommand(int32_t) {}
