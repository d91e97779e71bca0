// Posting an arbitrary window message to a window found by class and title.
#pragma once
#include <stdint.h>

// name NULL matches any title.
void PostToWindow(const char* windowClass, const char* name, uint32_t number,
                  uint32_t wParam, uint32_t lParam);
