// The rules a fuzz case checks: the loader takes exactly the first 98304
// bytes (the rest stays "None"), each slot runs at most its one executor
// with texts that end inside their fields, the Configuration dialog's
// details view shows every record and stores any typed texts without
// writing outside a field, and the save writes back exactly what was
// loaded. Memory errors are the sanitizers' (native) or the debugger's and
// the crash's (Wine) to find.
#include "tests/fuzz/profile_fuzz.h"

#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "actions/virtual_keys.h"
#include "config/slot_details.h"
#include "core/active.h"
#include "core/app_state.h"
#include "core/catalogue.h"
#include "platform/paths.h"
#include "core/profile.h"
#include "core/text.h"
#include "remote/dispatch.h"
#include "tests/dispatcher/recorders.h"

static void Check(bool ok, const char* rule)
{
    if (!ok) {
        fprintf(stderr, "profile fuzz case broke a rule: %s\n", rule);
        abort();
    }
}

static std::string PathOf(const char* name)
{
    return std::string(ProgramDir, ProgramDir + wcslen(ProgramDir)) + name;    // ASCII
}

static void PutFile(const std::string& path, const uint8_t* data, size_t size)
{
    HANDLE f = CreateFileW(std::wstring(path.begin(), path.end()).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    Check(f != INVALID_HANDLE_VALUE, "the case's profile.cfg can be written");
    DWORD put = 0;
    Check(size == 0 || WriteFile(f, data, (DWORD)size, &put, NULL), "the case is written whole");
    CloseHandle(f);
}

static std::string GetFile(const std::string& path)
{
    std::string bytes;
    HANDLE f = CreateFileW(std::wstring(path.begin(), path.end()).c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return bytes;
    char buf[16384];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, NULL) && got > 0)
        bytes.append(buf, got);
    CloseHandle(f);
    return bytes;
}

// Executor calls a slot may make: one for every type of the catalogue, none
// for a "Virtual Key" outside the key table, none for any other type.
static size_t CallsOfSlot(const ActionRecord& r)
{
    if (r.type <= ActionNone || r.type >= ActionTypeCount)
        return 0;
    if (r.type == ActionVirtualKey)
        return r.number >= 0 && r.number < VirtualKeyCount;
    return 1;
}

// A record between two guards: "Set" may write nothing outside it.
struct GuardedRecord {
    uint8_t before[32];
    ActionRecord r;
    uint8_t after[32];
};

static bool GuardsHold(const GuardedRecord& g)
{
    for (size_t i = 0; i < sizeof g.before; ++i)
        if (g.before[i] != 0xA5 || g.after[i] != 0xA5)
            return false;
    return true;
}

// What a view of DetailsTextSize bytes reads of a text typed from the case's
// bytes at at: up to 700 characters typed, at most 511 kept.
static void TypedText(char* text, const uint8_t* data, size_t size, size_t at)
{
    size_t n = size ? (size_t)data[at % size] * 3 % 700 : 0;
    if (n > DetailsTextSize - 1)
        n = DetailsTextSize - 1;
    for (size_t i = 0; i < n; ++i)
        text[i] = (char)data[(at + 1 + i) % size];
    text[n] = '\0';
}

static void CheckShownText(const char* shown, const char* field, size_t width)
{
    size_t n = FieldLength(field, width);
    if (n == width)
        --n;
    Check(strlen(shown) == n && memcmp(shown, field, n) == 0,
          "the view shows a record's text up to the field's last byte");
}

static void CheckStoredText(const char* field, const char* old, size_t width, const char* typed)
{
    size_t n = FieldLength(typed, width - 1);
    Check(memcmp(field, typed, n) == 0 && field[n] == '\0', "a typed text is stored cut to its field");
    Check(memcmp(field + n + 1, old + n + 1, width - n - 1) == 0,
          "the bytes behind the new terminator keep their old content");
}

// "Set" with the view as shown changes only what the type stores: the last
// byte of a text that filled its field, a key row the number did not name,
// key-flag bits outside the boxes.
static void ExpectStoredAsShown(ActionRecord* e)
{
    if (!HasSlotDetails(e->type))
        return;
    char* texts[4] = { e->programPath, e->parameters, e->windowClass, e->windowName };
    const size_t widths[4] = { ProgramPathWidth, ParametersWidth, WindowClassWidth, WindowNameWidth };
    int from = e->type == ActionExecuteProgram ? 0 : 2;
    for (int i = from; i < from + 2; ++i)
        if (FieldLength(texts[i], widths[i]) == widths[i])
            texts[i][widths[i] - 1] = '\0';
    if (e->type == ActionVirtualKey) {
        if (e->number < 0 || e->number >= VirtualKeyCount)
            e->number = VirtualKeyNoneRow;
        e->wParam &= 0x7F;
    }
}

static void CheckDetailsView(const ActionRecord& r, const uint8_t* data, size_t size, size_t at)
{
    static SlotDetails d;
    memset(&d, 0x5A, sizeof d);
    FormatDetailsOfRecord(r, &d);
    CheckShownText(d.programPath, r.programPath, ProgramPathWidth);
    CheckShownText(d.parameters, r.parameters, ParametersWidth);
    CheckShownText(d.windowClass, r.windowClass, WindowClassWidth);
    CheckShownText(d.windowName, r.windowName, WindowNameWidth);
    Check(ParseSlotNumber(d.number) == r.number && ParseSlotNumber(d.wParam) == r.wParam &&
              ParseSlotNumber(d.lParam) == r.lParam,
          "numbers round-trip through the view");

    GuardedRecord g;
    memset(&g, 0xA5, sizeof g);
    g.r = r;
    StoreDetailsInRecord(d, &g.r);
    ActionRecord e = r;
    ExpectStoredAsShown(&e);
    Check(GuardsHold(g) && memcmp(&g.r, &e, sizeof e) == 0, "Set with the view as shown stores it back");

    // Any typed texts, into each type with details.
    TypedText(d.programPath, data, size, at);
    TypedText(d.parameters, data, size, at + 7);
    TypedText(d.windowClass, data, size, at + 13);
    TypedText(d.windowName, data, size, at + 29);
    TypedText(d.number, data, size, at + 31);
    uint32_t typedNumber = size ? (uint32_t)data[at % size] * 16777619u + (uint32_t)at : 0;
    _snprintf(d.wParam, DetailsTextSize, " %lu\t", (unsigned long)typedNumber);
    d.virtualKeyRow = size ? (int32_t)data[(at + 3) % size] - 64 : NoVirtualKeyRow;
    d.keyFlags = (int32_t)typedNumber;
    const int32_t types[3] = { ActionExecuteProgram, ActionSendMessage, ActionVirtualKey };
    for (int32_t type : types) {
        memset(&g, 0xA5, sizeof g);
        g.r = r;
        g.r.type = type;
        StoreDetailsInRecord(d, &g.r);
        Check(GuardsHold(g), "Set writes nothing outside the record");
        if (type == ActionExecuteProgram) {
            CheckStoredText(g.r.programPath, r.programPath, ProgramPathWidth, d.programPath);
            CheckStoredText(g.r.parameters, r.parameters, ParametersWidth, d.parameters);
            continue;
        }
        CheckStoredText(g.r.windowClass, r.windowClass, WindowClassWidth, d.windowClass);
        CheckStoredText(g.r.windowName, r.windowName, WindowNameWidth, d.windowName);
        Check(memcmp(g.r.programPath, r.programPath, ProgramPathWidth + ParametersWidth) == 0,
              "Set leaves the fields its type does not use");
        if (type == ActionSendMessage) {
            int32_t n = ParseSlotNumber(d.number);
            char again[16];
            FormatSlotNumber(n, again, sizeof again);
            Check(g.r.number == n && ParseSlotNumber(again) == n, "a typed number reads back as stored");
            Check(g.r.wParam == (int32_t)typedNumber, "a number typed with blanks round-trips");
        } else {
            bool row = d.virtualKeyRow >= 0 && d.virtualKeyRow < VirtualKeyCount;
            Check(g.r.number == (row ? d.virtualKeyRow : VirtualKeyNoneRow) &&
                      g.r.wParam == (d.keyFlags & 0x7F) && g.r.lParam == r.lParam,
                  "Set stores the key row and the boxes' bits");
        }
    }
}

void RunProfileCase(const uint8_t* data, size_t size)
{
    if (!ProgramDir[0])
        ResolveProgramDir();
    std::string loaded((const char*)data, size < (size_t)ProfileSize ? size : (size_t)ProfileSize);
    loaded.resize(ProfileSize, '\0');

    PutFile(PathOf("profile.cfg"), data, size);
    memset(Profile, 0, sizeof Profile);
    LoadProfile();
    Check(memcmp(Profile, loaded.data(), ProfileSize) == 0,
          "the profile holds the file's first 98304 bytes, zero behind a short file");

    ActiveFlag = 1;
    for (int k = 0; k < RemoteKeyCount; ++k) {
        CallLog.clear();
        ExecuteKeyActions(k);
        size_t expected = 0;
        for (int s = 0; s < SlotsPerKey; ++s)
            expected += CallsOfSlot(Profile[k].slot[s]);
        if (k == 0)
            expected = 1;    // POWER starts the maker's application, whatever is bound
        Check(CallLog.size() == expected, "each slot runs its executor once, or not at all");
        // A text longer than its field would show here as a longer log line.
        for (const std::string& line : CallLog)
            Check(line.size() < 2 * ProgramPathWidth, "texts end inside their fields");
    }
    Check(memcmp(Profile, loaded.data(), ProfileSize) == 0, "pressing keys changes no binding");

    for (int k = 0; k < RemoteKeyCount; ++k)
        for (int s = 0; s < SlotsPerKey; ++s)
            CheckDetailsView(Profile[k].slot[s], data, size, (size_t)(k * SlotsPerKey + s) * 509);
    Check(memcmp(Profile, loaded.data(), ProfileSize) == 0, "the details view changes no binding");

    Check(SaveProfile() != 0, "the profile is saved");
    Check(GetFile(PathOf("profile.cfg")) == loaded, "the save writes back what was loaded");
}

#ifdef QUELLON_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RunProfileCase(data, size);
    return 0;
}
#endif
