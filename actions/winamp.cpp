// Winamp commands. Not served yet: a bound Winamp action does nothing.
#include "actions/winamp.h"

void WinampCommand(int32_t) {}
