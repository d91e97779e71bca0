// settings.ini, the file of the user's preferences.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/preferences.h"
#include "platform/file_access.h"

// Reads every key; a missing file or key gives the defaults. A file that
// exists but cannot be read is noted for the start-up report, and not
// written this run.
void LoadSettings();
// Writes every key, waiting up to waitMs while another program holds the
// file; nonzero on success. A failure is shown as the profile's is (unless
// quiet), the file is left as it was and the values in memory stay in
// force. Where the rights to write beside the executable are missing, the
// per-user folder takes the files from then on.
int SaveSettings(bool quiet = false, DWORD waitMs = HeldFileWaitMs);

// Reads a stored value: a decimal number, optionally signed and surrounded by
// blanks. Anything else, and numbers beyond 32 bits, give the default.
int32_t ParseSettingValue(const char* text, int32_t defaultValue);
