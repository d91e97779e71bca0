// The clock action: each press while the clock text is still on screen
// steps on to the next format; a press after it has gone starts again.
#include "actions/clock.h"

#include <stdio.h>

#include "core/feedback.h"
#include "platform/platform.h"

static const char DayNames[7][4] = { "SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT" };
static const char MonthNames[12][4] = {
    "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC",
};

static int32_t ClockFormatIndex;

void FormatClockText(char* out, size_t size, int32_t index, const SYSTEMTIME& t)
{
    int n;
    if (index == 1) {
        const char* day = t.wDayOfWeek < 7 ? DayNames[t.wDayOfWeek] : "";
        const char* month = t.wMonth >= 1 && t.wMonth <= 12 ? MonthNames[t.wMonth - 1] : "";
        n = _snprintf(out, size, "%s, %.2d %s", day, (int)t.wDay, month);
    } else if (index == 2) {
        n = _snprintf(out, size, "%.2d-%.2d-%.2d", (int)t.wDay, (int)t.wMonth, (int)t.wYear);
    } else {
        n = _snprintf(out, size, "%.2d:%.2d", (int)t.wHour, (int)t.wMinute);
    }
    if (size && (n < 0 || (size_t)n >= size))
        out[size - 1] = '\0';
}

void ShowClock()
{
    // The countdown runs while the clock text is on screen; with the OSD
    // disabled none starts, and the index stays at the time.
    if (OsdCountdown(OsdSlotClock) != 0) {
        if (++ClockFormatIndex >= ClockFormatCount)
            ClockFormatIndex = 0;
    } else {
        ClockFormatIndex = 0;
    }
    SYSTEMTIME now;
    Platform.getLocalTime(&now);
    char text[ClockTextSize];
    FormatClockText(text, sizeof text, ClockFormatIndex, now);
    ShowOsdText(OsdSlotClock, text);
}
