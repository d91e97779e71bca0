// Whole-computer actions. Not served yet: a bound action does nothing.
#include "actions/system.h"

void ExitSystem(uint32_t) {}
void LockComputer() {}
void SetMonitorPower(int32_t) {}
