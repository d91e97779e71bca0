// Sections and keys of an INI text in memory, read and changed the way
// Windows' profile functions do it, so that a file can be written whole.
#pragma once
#include <stddef.h>

// The value of key in section of text (size bytes; names without case,
// blanks around them and the value left out) into value. False when the
// key is not there, or its value does not fit in valueSize with its NUL.
bool FindIniValue(const char* text, size_t size, const char* section, const char* key,
                  char* value, size_t valueSize);

// text with key of section set to value, into out: a key that is there is
// rewritten in its line, a missing key is added after its section's last
// key, a missing section is added at the end; every other line stays as
// it is. The new length, or 0 when it does not fit in outSize.
size_t SetIniValue(const char* text, size_t size, const char* section, const char* key,
                   const char* value, char* out, size_t outSize);
