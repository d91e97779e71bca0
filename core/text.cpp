// Bounded text helpers: nothing is ever written past a field.
#include "core/text.h"

#include <string.h>

#include "platform/characters.h"

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
    size_t n = src ? WholeCharactersLength(src, width - 1) : 0;
    if (n > 0)
        memcpy(dst, src, n);
    dst[n] = '\0';
}

void ReadField(char* dst, size_t width, const char* field)
{
    size_t n = FieldLength(field, width);
    if (n == width && n > 0)
        --n;    // an unterminated field loses its last byte to the terminator
    memcpy(dst, field, n);
    dst[n] = '\0';
}

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool ParseDecimal(const char* text, int64_t minimum, int64_t maximum, int64_t* value)
{
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    bool negative = false;
    if (minimum < 0 && (*p == '-' || *p == '+'))
        negative = *p++ == '-';
    // Digits beyond the larger bound's magnitude end the reading at once,
    // before the accumulator could overflow.
    uint64_t limit = (uint64_t)(maximum > -minimum ? maximum : -minimum);
    uint64_t n = 0;
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p, ++digits) {
        n = n * 10 + (uint64_t)(*p - '0');
        if (n > limit)
            return false;
    }
    while (IsBlank(*p))
        ++p;
    if (digits == 0 || *p != '\0')
        return false;
    int64_t v = negative ? -(int64_t)n : (int64_t)n;
    if (v < minimum || v > maximum)
        return false;
    *value = v;
    return true;
}
