// The OSD slots as start-up makes them: volume, clock, status.
#include "tests/support/osd_slots.h"

#include "config/settings.h"
#include "platform/platform.h"
#include "osd/osd.h"

static double HeldNow;

static DWORD WINAPI HeldTickCount()
{
    return (DWORD)(unsigned long long)HeldNow;
}

void HoldClock()
{
    HeldNow = GetTickCount();
    Platform.getTickCount = HeldTickCount;
}

void TickOsd(int ticks, double msPerTick)
{
    for (int t = 0; t < ticks; ++t) {
        HeldNow += msPerTick;
        TickOsdSlots();
    }
}

void SetUpOsdSlots()
{
    OsdSettings.Enable = 1;
    OsdSettings.Timeout = 3;
    if (OsdSlotCount() >= 3)
        return;
    InitOsd();
    CreateOsdSlot(2, 3, 0.0, 0.05);
    CreateOsdSlot(3, 1, 0.01, 0.025);
    CreateOsdSlot(1, 1, 0.01, 0.025);
}

std::string OsdSlotText(int slot)
{
    char text[OsdTextWidth];
    OsdText(slot, text, sizeof text);
    return text;
}

bool OsdSlotShown(int slot)
{
    return OsdCountdown(slot) != 0;
}

void HideOsdSlots()
{
    if (Platform.getTickCount != HeldTickCount)
        HoldClock();
    for (int guard = 0; guard < 100000 && (OsdSlotShown(0) || OsdSlotShown(1) || OsdSlotShown(2)); ++guard)
        TickOsd(1);
}
