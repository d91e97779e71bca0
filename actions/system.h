// Whole-computer actions: shutdown and reboot, workstation lock, monitor power.
#pragma once
#include <stdint.h>

// flags: EWX_POWEROFF (8) or EWX_REBOOT (2).
void ExitSystem(uint32_t flags);
void LockComputer();
// state: 2 switches the monitor off, -1 on.
void SetMonitorPower(int32_t state);
