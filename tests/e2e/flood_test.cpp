// The debugger loop finds faults a window procedure swallows; quellon.exe
// under a flood of key presses from two senders at once.
#include <gtest/gtest.h>
#include <string.h>

#include <vector>

#include "core/profile.h"
#include "tests/support/debugger.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"
#include "tests/support/standin.h"

namespace {

const UINT RemoteKeyMessage = 0x0A00;
const UINT FloodMessage = WM_APP + 20;
const int PressesPerSender = 5000;

struct Sender {
    HWND trick;
    int parity;                  // 1: odd key codes, 0: even ones
    std::vector<int> expected;   // the bound wParams, in the order pressed
};

// Codes of no key, mixed in besides the gaps of 2..85.
const int32_t UnknownCodes[] = { 1, 86, 255, -1, 0x7FFFFFFF, INT32_MIN };

bool IsKeyCode(int32_t c)
{
    return c == 0 || (c >= 2 && c <= 31 && c != 21 && c != 23 && c != 26 && c != 28 && c != 29) ||
           (c >= 64 && c <= 85);
}

DWORD WINAPI SendPresses(LPVOID arg)
{
    Sender* s = (Sender*)arg;
    unsigned seed = 12345u + (unsigned)s->parity;
    int32_t last = -2;
    for (int i = 0; i < PressesPerSender; ++i) {
        seed = seed * 1103515245u + 12345u;
        unsigned r = seed >> 8;
        int32_t code;
        if (r % 5 == 0) {
            code = UnknownCodes[(r / 5) % (sizeof UnknownCodes / sizeof UnknownCodes[0])];
        } else {
            code = 2 + (int32_t)((r / 5) % 84);
            if ((code & 1) != s->parity)
                ++code;
        }
        // One sender's codes are each a press of their own: never the same twice running.
        if (code == last)
            code = UnknownCodes[0];
        last = code;
        if (IsKeyCode(code))
            s->expected.push_back(code);
        SendMessageA(s->trick, RemoteKeyMessage, (WPARAM)(DWORD)code, 0);
    }
    return 0;
}

// Every key's slot (code % 4) posts FloodMessage with the key's code; the
// other slots hold types outside the catalogue, which run nothing.
std::string FloodProfile()
{
    static KeyActions keys[RemoteKeyCount];
    memset(keys, 0, sizeof keys);
    int k = 0;    // key indexes follow the codes' order
    for (int32_t code = 0; code <= 85; ++code) {
        if (!IsKeyCode(code))
            continue;
        for (int s = 0; s < SlotsPerKey; ++s)
            keys[k].slot[s].type = s % 2 ? 66 : -5;
        ActionRecord& r = keys[k++].slot[code % 4];
        r.type = code ? 32 : 0;
        strcpy(r.windowClass, "QuellonFloodTarget");
        r.number = FloodMessage;
        r.wParam = code;
    }
    return std::string((const char*)keys, sizeof keys);
}

}  // namespace

TEST(Faults, DebuggerCountsAnAccessViolationTheWindowProcedureSwallows)
{
    std::string dir = MakeTempDir("fault");
    PROCESS_INFORMATION pi;
    FaultWatch* w = StartUnderDebugger("\"" + TestBinDir() + "standin.exe\" QuellonFaulty Faulty \"" +
                                           dir + "log.txt\" 0x8123=fault",
                                       dir, &pi);
    ASSERT_TRUE(w != NULL);
    HWND window = WaitForWindow("QuellonFaulty", "Faulty", 10000);
    ASSERT_TRUE(window != NULL);
    SendMessageA(window, 0x8123, 0, 0);
    SendMessageA(window, 0x8123, 0, 0);
    EXPECT_TRUE(IsWindow(window));    // the fault was swallowed: "still running" proves nothing
    PostMessageA(window, WM_CLOSE, 0, 0);
    std::string report;
    EXPECT_EQ(2, StopDebugger(w, 20000, &report)) << report;
    WaitProgram(&pi, 5000);
    RemoveTree(dir);
}

TEST(Flood, TwoSendersTenThousandPressesEachBoundActionOncePerPressInOrder)
{
    StandIn* target = CreateStandIn("QuellonFloodTarget", "Flood");
    QuellonRun run;
    run.dir = MakeTempDir("flood");
    ASSERT_TRUE(WriteWholeFile(run.dir + "profile.cfg", FloodProfile()));
    ASSERT_TRUE(StartQuellonUnderDebugger(&run, run.dir));
    HWND trick = WaitForTrick(run);
    ASSERT_TRUE(trick != NULL);

    Sender senders[2] = { { trick, 1, {} }, { trick, 0, {} } };
    HANDLE threads[2];
    for (int i = 0; i < 2; ++i)
        threads[i] = CreateThread(NULL, 0, SendPresses, &senders[i], 0, NULL);
    WaitForMultipleObjects(2, threads, TRUE, 100000);
    for (HANDLE t : threads)
        CloseHandle(t);
    int total = (int)(senders[0].expected.size() + senders[1].expected.size());
    EXPECT_TRUE(WaitForStandInMessages(target, FloodMessage, total, 30000));
    PumpMessagesFor(200);
    ASSERT_EQ(total, CountStandInMessages(target, FloodMessage));

    std::vector<int> got[2];
    RecordedMessage m;
    for (int i = 0; GetStandInMessage(target, FloodMessage, i, &m); ++i)
        got[((int)m.wParam & 1) ? 0 : 1].push_back((int)m.wParam);
    EXPECT_TRUE(got[0] == senders[0].expected);
    EXPECT_TRUE(got[1] == senders[1].expected);

    EXPECT_EQ(0, QuitQuellon(&run));
    std::string report;
    EXPECT_EQ(0, QuellonFaults(&run, &report)) << report;
    CleanUpQuellon(&run);
    DestroyStandIn(target);
}

namespace {

struct KeyRepeater {
    HWND trick;
    WPARAM code;
    int presses;
};

DWORD WINAPI RepeatKey(LPVOID arg)
{
    KeyRepeater* r = (KeyRepeater*)arg;
    for (int i = 0; i < r->presses; ++i)
        SendMessageA(r->trick, RemoteKeyMessage, r->code, 0);
    return 0;
}

// A fresh program folder whose profile binds the first slot of each key to
// its type (0: none), with the OSD on; then the program, under the debugger.
bool StartWithOsdAndSlots(QuellonRun* run, const char* tag, const int32_t (&types)[RemoteKeyCount])
{
    run->dir = MakeTempDir(tag);
    static KeyActions keys[RemoteKeyCount];
    memset(keys, 0, sizeof keys);
    for (int k = 0; k < RemoteKeyCount; ++k)
        keys[k].slot[0].type = types[k];
    if (!WriteWholeFile(run->dir + "profile.cfg", std::string((const char*)keys, sizeof keys)) ||
        !WriteWholeFile(run->dir + "settings.ini", "[OSD]\r\nEnable=1\r\nTimeout=1\r\n"))
        return false;
    return StartQuellonUnderDebugger(run, run->dir);
}


}  // namespace

// VOL+ and VOL- from two senders at once, with the volume bar on screen:
// volume actions that run inside one another share nothing.
TEST(Flood, VolumeKeysFromTwoSendersWithTheOsdFaultNowhere)
{
    QuellonRun run;
    int32_t types[RemoteKeyCount] = {};
    types[3] = 20;    // "VOL+": Volume Up
    types[7] = 21;    // "VOL-": Volume Down
    ASSERT_TRUE(StartWithOsdAndSlots(&run, "volflood", types));
    HWND trick = WaitForTrick(run);
    ASSERT_TRUE(trick != NULL);
    KeyRepeater repeaters[2] = { { trick, 4, 1500 }, { trick, 8, 1500 } };
    HANDLE threads[2];
    for (int i = 0; i < 2; ++i)
        threads[i] = CreateThread(NULL, 0, RepeatKey, &repeaters[i], 0, NULL);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, threads, TRUE, 100000));
    for (HANDLE t : threads)
        CloseHandle(t);
    EXPECT_EQ(0, QuitQuellon(&run));
    std::string report;
    EXPECT_EQ(0, QuellonFaults(&run, &report)) << report;
    CleanUpQuellon(&run);
}
