// Bounded text helpers: nothing is ever written past a field.
#include "core/text.h"

#include <string.h>

size_t FieldLength(const char* field, size_t width)
{
    size_t n = 0;
    while (n < width && field[n] != '\0')
        ++n;
    return n;
}

void CopyText(char* dst, size_t width, const char* src)
{
    if (width == 0)
        return;
    size_t n = src ? FieldLength(src, width - 1) : 0;
    if (n > 0)
        memcpy(dst, src, n);
    dst[n] = '\0';
}

void ReadField(char* dst, const char* field, size_t width)
{
    size_t n = FieldLength(field, width);
    if (n == width && n > 0)
        --n;    // an unterminated field loses its last byte to the terminator
    memcpy(dst, field, n);
    dst[n] = '\0';
}
