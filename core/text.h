// Bounded text helpers for the fixed-width ANSI fields of records and buffers.
#pragma once
#include <stddef.h>

// Copies at most width - 1 characters of src and a terminating NUL into dst.
// The bytes behind the new terminator keep whatever they held: stored records
// carry them through unchanged.
void CopyText(char* dst, size_t width, const char* src);

// Copies a field that came from a file or another program, where a terminator
// may be missing, into a NUL-terminated buffer of at least width bytes.
void ReadField(char* dst, const char* field, size_t width);

// Length of a text within a field of the given width (width when unterminated).
size_t FieldLength(const char* field, size_t width);
