// One fuzz case over the profile store and the dispatcher, shared by the
// native libFuzzer build (tools/fuzz.sh) and the Windows replay under Wine.
#pragma once
#include <stddef.h>
#include <stdint.h>

// Writes data as profile.cfg into ProgramDir, loads it, presses every key
// with the executors recorded, saves, and aborts on the first broken rule.
void RunProfileCase(const uint8_t* data, size_t size);
