// settings.ini, the file of the user's preferences.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/preferences.h"
#include "platform/our_files.h"

// Where settings.ini is read and saved, and what was last read or written of it.
extern OurFile SettingsFile;

// Reads every key; a missing file or key gives the defaults. A file that
// exists but cannot be read is noted for the start-up report, and not
// written this run.
void LoadSettings();
// Sets every key in the file as it stands, keeping its other sections,
// keys, lines and comments, and replaces the file with the result whole,
// as profile.cfg is saved (platform/our_files.h), waiting up to waitMs
// while another program holds it; nonzero unless a save was tried and
// failed. A failure is shown as the profile's is (unless quiet), the file
// is left as it was and the values in memory stay in force.
int SaveSettings(bool quiet = false, DWORD waitMs = HeldFileWaitMs);

// Reads a stored value: a decimal number, optionally signed and surrounded by
// blanks. Anything else, and numbers beyond 32 bits, give the default.
int32_t ParseSettingValue(const char* text, int32_t defaultValue);
