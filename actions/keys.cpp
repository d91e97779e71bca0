// Keystroke synthesis. Not served yet: a bound "Virtual Key" does nothing.
#include "actions/keys.h"

void SendKeyCombo(HWND, uint8_t, uint8_t) {}

HWND BringWindowToFront(HWND)
{
    return GetForegroundWindow();
}
