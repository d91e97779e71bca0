// quellon.exe with chosen bindings.
#include "tests/support/bound_keys.h"

#include <string.h>

#include "tests/support/process.h"

static KeyActions Bindings[RemoteKeyCount];

void ClearBindings()
{
    memset(Bindings, 0, sizeof Bindings);
}

ActionRecord& Binding(int key, int slot)
{
    return Bindings[key].slot[slot];
}

bool StartBound(QuellonRun* run)
{
    run->dir = MakeTempDir("bound");
    if (!WriteWholeFile(run->dir + "profile.cfg", std::string((const char*)Bindings, sizeof Bindings)))
        return false;
    return StartQuellon(run, run->dir) && WaitForTrick(*run) != NULL;
}

void PressKey(const QuellonRun& run, int key)
{
    // Bounded, so that a quellon.exe that hangs fails the test instead of ending it.
    DWORD_PTR ignored;
    // The same code again at once would hold the key, as on a remote: a code
    // that names no key comes between, as another key would.
    static int last = -2;
    if (key == last)
        SendMessageTimeoutA(FindTrickWindow(run), 0x0A00, 21, 0, SMTO_NORMAL, 20000, &ignored);
    last = key;
    SendMessageTimeoutA(FindTrickWindow(run), 0x0A00, (WPARAM)(key + 1), 0, SMTO_NORMAL, 20000,
                        &ignored);
}
