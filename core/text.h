// Bounded text helpers for the fixed-width ANSI fields of records and buffers.
#pragma once
#include <stddef.h>
#include <stdint.h>

// Copies at most width - 1 bytes of src, whole characters only, and a
// terminating NUL into dst.
// The bytes behind the new terminator keep whatever they held: stored records
// carry them through unchanged.
void CopyText(char* dst, size_t width, const char* src);

// Copies a field of the given width that came from a file or another
// program, where a terminator may be missing, into a NUL-terminated buffer
// of at least width bytes. Arguments in the order of CopyText.
void ReadField(char* dst, size_t width, const char* field);

// Length of a text within a field of the given width (width when unterminated).
size_t FieldLength(const char* field, size_t width);

// Reads a decimal number, blanks around it allowed, that lies within minimum
// and maximum; a sign only where minimum is negative. False, with *value
// untouched, for anything else.
bool ParseDecimal(const char* text, int64_t minimum, int64_t maximum, int64_t* value);
