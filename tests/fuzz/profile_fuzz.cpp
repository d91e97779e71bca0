// The rules a fuzz case checks: the loader takes exactly the first 98304
// bytes (the rest stays "None"), each slot runs at most its one executor
// with texts that end inside their fields, and the save writes back exactly
// what was loaded. Memory errors are the sanitizers' (native) or the
// debugger's and the crash's (Wine) to find.
#include "tests/fuzz/profile_fuzz.h"

#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "actions/virtual_keys.h"
#include "core/catalogue.h"
#include "core/dispatcher.h"
#include "core/profile.h"
#include "shell/active.h"
#include "shell/app_state.h"
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
    return std::string(ProgramDir) + name;
}

static void PutFile(const std::string& path, const uint8_t* data, size_t size)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    Check(f != INVALID_HANDLE_VALUE, "the case's profile.cfg can be written");
    DWORD put = 0;
    Check(size == 0 || WriteFile(f, data, (DWORD)size, &put, NULL), "the case is written whole");
    CloseHandle(f);
}

static std::string GetFile(const std::string& path)
{
    std::string bytes;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING,
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
