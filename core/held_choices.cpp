// The "When held" choices of a set of bindings and the format of their file.
#include "core/held_choices.h"

#include <string.h>
#include <wchar.h>


const char HeldChoiceNames[HeldChoiceCount][HeldChoiceNameWidth] = {
    "Automatic", "Repeat", "Once", "Long press",
};

HeldChoices ProfileHeldChoices;

// Marks a file as ours and of this layout: a file of another kind, or cut
// short, is taken for none at all rather than read as choices.
static const uint8_t HeldFileMark[4] = { 'Q', 'H', 'L', '1' };

HeldChoice HeldChoiceOf(const HeldChoices& c, int k)
{
    if (k < 0 || k >= RemoteKeyCount || c.key[k] >= HeldChoiceCount)
        return ChoiceAutomatic;
    return (HeldChoice)c.key[k];
}

void EncodeHeldChoices(const HeldChoices& c, uint8_t* file)
{
    memcpy(file, HeldFileMark, sizeof HeldFileMark);
    memcpy(file + sizeof HeldFileMark, c.key, RemoteKeyCount);
}

void DecodeHeldChoices(const uint8_t* file, size_t got, HeldChoices* c)
{
    memset(c, ChoiceAutomatic, sizeof *c);
    bool ours = got == HeldFileSize;
    for (size_t i = 0; ours && i < sizeof HeldFileMark; ++i)
        ours = file[i] == HeldFileMark[i];
    if (!ours)
        return;
    for (int k = 0; k < RemoteKeyCount; ++k)
        c->key[k] = HeldChoiceOf(*(const HeldChoices*)(file + sizeof HeldFileMark), k);
}

void HeldFileNameFor(wchar_t* name, size_t size, const wchar_t* bindingsFileName)
{
    static const wchar_t Cfg[] = L".cfg";
    static const wchar_t Held[] = L".held";
    const size_t cfg = 4;
    size_t n = wcslen(bindingsFileName);
    bool endsInCfg = n >= cfg;
    for (size_t i = 0; endsInCfg && i < cfg; ++i)    // Windows names ignore ASCII case
        endsInCfg = (bindingsFileName[n - cfg + i] | 0x20) == Cfg[i];
    size_t stem = endsInCfg ? n - cfg : n;
    name[0] = L'\0';
    if (stem + sizeof Held / sizeof Held[0] > size)
        return;
    memcpy(name, bindingsFileName, stem * sizeof(wchar_t));
    memcpy(name + stem, Held, sizeof Held);
}
