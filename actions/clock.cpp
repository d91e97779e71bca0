// The clock action. Not served yet: a bound "Display Time" does nothing.
#include "actions/clock.h"

void ShowClock() {}
