// The three OSD slots of a running program, set up in the test's process
// for executors that give feedback.
#pragma once
#include <string>

// Enables the OSD with timeout 3 and creates the slots once per process.
void SetUpOsdSlots();
// The text a slot holds, and whether it is on screen (its countdown runs).
std::string OsdSlotText(int slot);
bool OsdSlotShown(int slot);
// Runs every slot's countdown to its end.
void HideOsdSlots();

// Holds the platform's clock at the present: from now on it moves only when
// TickOsd moves it, msPerTick before each tick of the OSD.
void HoldClock();
void TickOsd(int ticks, double msPerTick = 10);
