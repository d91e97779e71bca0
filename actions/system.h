// Whole-computer actions: shutdown and reboot, workstation lock, monitor power.
#pragma once
#include <stdint.h>

// flags: EWX_POWEROFF (8) or EWX_REBOOT (2).
void ExitSystem(uint32_t flags);
void LockComputer();
enum { MonitorPowerOff = 2, MonitorPowerOn = -1 };
// Switches the monitor off or on; on also moves the pointer a pixel and
// back, which wakes the display where the request alone does not.
void SetMonitorPower(int32_t state);
