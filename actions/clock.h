// The clock action: time, then named date, then numeric date on repeated presses.
#pragma once


void ShowClock();
