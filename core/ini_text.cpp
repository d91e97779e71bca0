// INI texts in memory: lines, sections and keys.
#include "core/ini_text.h"

#include <string.h>

namespace {

// One line of the text, without its line end, blanks around it left out.
struct Line {
    size_t start, end;      // of the line's text, line end excluded
    size_t next;            // where the next line begins
    size_t first, last;     // the trimmed text: [first, last)
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

Line LineAt(const char* text, size_t size, size_t at)
{
    Line l;
    l.start = at;
    l.end = at;
    while (l.end < size && text[l.end] != '\n' && text[l.end] != '\r')
        ++l.end;
    l.next = l.end;
    if (l.next < size && text[l.next] == '\r')
        ++l.next;
    if (l.next < size && text[l.next] == '\n')
        ++l.next;
    l.first = l.start;
    l.last = l.end;
    while (l.first < l.last && IsBlank(text[l.first]))
        ++l.first;
    while (l.last > l.first && IsBlank(text[l.last - 1]))
        --l.last;
    return l;
}

bool SameName(const char* a, size_t length, const char* name)
{
    size_t n = strlen(name);
    if (n != length)
        return false;
    for (size_t i = 0; i < n; ++i) {
        char x = a[i], y = name[i];
        if (x >= 'A' && x <= 'Z')
            x = (char)(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = (char)(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// The section a line opens ([name]), or false.
bool OpensSection(const char* text, const Line& l, size_t* nameFirst, size_t* nameLast)
{
    if (l.last - l.first < 2 || text[l.first] != '[')
        return false;
    const char* close = (const char*)memchr(text + l.first, ']', l.last - l.first);
    if (!close)
        return false;
    *nameFirst = l.first + 1;
    *nameLast = (size_t)(close - text);
    while (*nameFirst < *nameLast && IsBlank(text[*nameFirst]))
        ++*nameFirst;
    while (*nameLast > *nameFirst && IsBlank(text[*nameLast - 1]))
        --*nameLast;
    return true;
}

// Where in the text a key and the section it belongs in are.
struct Found {
    bool section, key;
    size_t keyLine;         // start of the key's line
    size_t valueFirst, valueLast, keyLineEnd;
    size_t afterLastKey;    // where a missing key goes: after the section's last key line
};

Found Look(const char* text, size_t size, const char* section, const char* key)
{
    Found f = {};
    bool inSection = false;
    size_t at = size >= 3 && memcmp(text, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;    // a UTF-8 mark
    while (at < size) {
        Line l = LineAt(text, size, at);
        at = l.next;
        size_t a, b;
        if (OpensSection(text, l, &a, &b)) {
            // The first section of the name counts, as for the profile functions.
            if (inSection || f.section)
                inSection = false;
            else
                inSection = f.section = SameName(text + a, b - a, section);
            if (inSection)
                f.afterLastKey = l.next;
            continue;
        }
        if (!inSection || l.first == l.last || text[l.first] == ';')
            continue;
        f.afterLastKey = l.next;
        const char* equals = (const char*)memchr(text + l.first, '=', l.last - l.first);
        size_t nameLast = equals ? (size_t)(equals - text) : l.last;
        while (nameLast > l.first && IsBlank(text[nameLast - 1]))
            --nameLast;
        if (f.key || !equals || !SameName(text + l.first, nameLast - l.first, key))
            continue;
        f.key = true;
        f.keyLine = l.start;
        f.keyLineEnd = l.end;
        f.valueFirst = (size_t)(equals - text) + 1;
        while (f.valueFirst < l.last && IsBlank(text[f.valueFirst]))
            ++f.valueFirst;
        f.valueLast = l.last;
    }
    return f;
}

// Appends n bytes to out at *length; false when they do not fit.
bool Put(char* out, size_t outSize, size_t* length, const char* bytes, size_t n)
{
    if (*length + n > outSize)
        return false;
    memcpy(out + *length, bytes, n);
    *length += n;
    return true;
}

bool PutText(char* out, size_t outSize, size_t* length, const char* text)
{
    return Put(out, outSize, length, text, strlen(text));
}

}  // namespace

bool FindIniValue(const char* text, size_t size, const char* section, const char* key,
                  char* value, size_t valueSize)
{
    Found f = Look(text, size, section, key);
    size_t n = f.valueLast - f.valueFirst;
    if (!f.key || n >= valueSize)
        return false;
    memcpy(value, text + f.valueFirst, n);
    value[n] = '\0';
    return true;
}

size_t SetIniValue(const char* text, size_t size, const char* section, const char* key,
                   const char* value, char* out, size_t outSize)
{
    Found f = Look(text, size, section, key);
    size_t length = 0;
    bool fits;
    if (f.key) {
        fits = Put(out, outSize, &length, text, f.keyLine) && PutText(out, outSize, &length, key) &&
               PutText(out, outSize, &length, "=") && PutText(out, outSize, &length, value) &&
               Put(out, outSize, &length, text + f.keyLineEnd, size - f.keyLineEnd);
    } else {
        size_t at = f.section ? f.afterLastKey : size;
        // A last line without its line end is ended before anything follows it.
        bool endLine = at > 0 && text[at - 1] != '\n' && text[at - 1] != '\r';
        fits = Put(out, outSize, &length, text, at) && (!endLine || PutText(out, outSize, &length, "\r\n")) &&
               (f.section || (PutText(out, outSize, &length, "[") && PutText(out, outSize, &length, section) &&
                              PutText(out, outSize, &length, "]\r\n"))) &&
               PutText(out, outSize, &length, key) && PutText(out, outSize, &length, "=") &&
               PutText(out, outSize, &length, value) && PutText(out, outSize, &length, "\r\n") &&
               Put(out, outSize, &length, text + at, size - at);
    }
    return fits ? length : 0;
}
