// Character boundaries of the ANSI code page, for cutting texts to their
// fields: on Chinese, Japanese and Korean Windows a character may take two
// bytes, and half of one matches nothing.
#pragma once
#include <stddef.h>
#include <windows.h>

// The length of the longest beginning of text that fits in limit bytes and
// ends with a whole character: a lead byte is never kept without its trail.
inline size_t WholeCharactersLength(const char* text, size_t limit)
{
    size_t n = 0;
    while (n < limit && text[n] != '\0') {
        size_t step = IsDBCSLeadByte((unsigned char)text[n]) ? 2 : 1;
        // A lead byte at the limit, or before the terminator, is half a character.
        if (n + step > limit || text[n + step - 1] == '\0')
            break;
        n += step;
    }
    return n;
}

// Appends as much of src to the UTF-16 text dst (size characters with its
// terminator) as fits, never half of a surrogate pair.
inline void AppendWholeCharacters(wchar_t* dst, size_t size, const wchar_t* src)
{
    size_t n = 0;
    while (n < size && dst[n] != L'\0')
        ++n;
    for (; n + 1 < size && *src; ++src, ++n) {
        bool pair = *src >= 0xD800 && *src <= 0xDBFF && src[1] != L'\0';
        if (pair && n + 2 >= size)
            break;
        dst[n] = *src;
        if (pair)
            dst[++n] = *++src;
    }
    if (n < size)
        dst[n] = L'\0';
}
