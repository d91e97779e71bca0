// The clock action: time, then named date, then numeric date on repeated presses.
#pragma once
#include <windows.h>
#include <stddef.h>
#include <stdint.h>

enum { ClockFormatCount = 3, ClockTextSize = 32 };

void ShowClock();

// The text of format index (0 time, 1 named date, 2 numeric date) for t.
void FormatClockText(char* out, size_t size, int32_t index, const SYSTEMTIME& t);
