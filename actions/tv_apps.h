// TV-application commands: iuVCR by command id, ChrisTV by its shortcuts.
#pragma once
#include <stdint.h>

// type: the action type (37 to 59).
void TvAppCommand(int32_t type);
