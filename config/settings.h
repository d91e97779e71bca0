// settings.ini, the file of the user's preferences.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/preferences.h"

void LoadSettings();
// Writes every key. A read-only settings.ini, or a folder in its place, is
// left as it is; the values in memory stay in force.
void SaveSettings();

// Reads a stored value: a decimal number, optionally signed and surrounded by
// blanks. Anything else, and numbers beyond 32 bits, give the default.
int32_t ParseSettingValue(const char* text, int32_t defaultValue);
