// Key-press benchmarks, run by tools/bench.sh (never by CTest): a key bound
// to one "Send Message", pressed the way the card maker's reminder does
// (SendMessageA 0x0A00 to the "Trick Wnd"), timed from the send to the
// message's arrival at a window of this program. quellon.exe is measured
// beside floors from the same run: minimal_receiver.exe with the same
// event-driven loop and with the plain Sleep(50) loop, and
// null_receiver.exe, which only finds the key and posts the message. All
// run at once and take the presses in turn. quellon.exe first has a set of
// bindings of its own for this program, whose window is in front: each
// press looks the program up and runs the set's own binding of CH1. Then
// it runs with the bindings for all programs alone, beside the null
// receiver again.
//   key_latency.exe [presses]
// With "stall", it measures instead what a program slow to come up costs
// the keys: CH3 starts slow_start.exe ("Execute Program"), CH1 follows.
//   key_latency.exe stall [rounds]
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/profile.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"
#include "tests/support/test_window.h"

enum {
    KeyA = 5, KeyB = 6, KeyC = 7, KeyL = 9,    // codes of CH1, CH2, CH3 and CH4
    KeyIndexA = 4, KeyIndexB = 5, KeyIndexC = 6, KeyIndexL = 8,
    NoKey = 21,    // a code of no key: another key between two presses of one
    RepeatGapMs = 200,    // settings.ini's default
    MessageA = WM_APP + 1, MessageB = WM_APP + 2,
    SendMessageType = 32,
    ExecuteProgramType = 31,
    SlowStartMs = 2000,    // slow_start.exe's sleep before its first message
    FlashOverMs = 240,    // between two presses of one subject: the tray's flash (150 ms) is over
    // When quellon.exe's flash ends (shown 25 ms after its press, at the
    // tick after 150 ms more) the shell redraws its tray: no other
    // subject's press is timed from this long after quellon.exe's press
    // until this late.
    FlashEndFromMs = 165, FlashEndUntilMs = 235,
};
static const char TargetClass[] = "QuellonBenchTarget";

// The window the bound "Send Message" posts to, on a thread of its own.
static volatile LONG Arrivals[2];
static LARGE_INTEGER LastArrival;
static HANDLE ArrivalEvent;

static double Now()
{
    static LARGE_INTEGER freq;
    if (!freq.QuadPart)
        QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart * 1000.0 / freq.QuadPart;
}

static LRESULT CALLBACK TargetProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == MessageA || m == MessageB) {
        QueryPerformanceCounter(&LastArrival);
        InterlockedIncrement(&Arrivals[m - MessageA]);
        SetEvent(ArrivalEvent);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

static HWND Target;

static void MakeTarget()
{
    Target = MakeTestWindow(TargetClass, "", TargetProc);
}

// The bench's own window in front, as the program whose set is measured.
static void BringTargetToFront()
{
    SetWindowPos(Target, HWND_TOP, 0, 0, 100, 100, SWP_SHOWWINDOW);
    for (int i = 0; i < 100 && GetForegroundWindow() != Target; ++i) {
        SetForegroundWindow(Target);
        Sleep(20);
    }
}

static bool WriteBenchProfile(const std::string& dir, bool programSet)
{
    static KeyActions keys[RemoteKeyCount];
    const int index[3] = { KeyIndexA, KeyIndexB, KeyIndexL };
    const int message[3] = { MessageA, MessageB, MessageA };
    for (int i = 0; i < 3; ++i) {
        ActionRecord& r = keys[index[i]].slot[0];
        r.type = SendMessageType;
        lstrcpynA(r.windowClass, TargetClass, sizeof r.windowClass);
        r.number = message[i];
    }
    // The floor programs run "Send Message" slots alone.
    ActionRecord& slow = keys[KeyIndexC].slot[0];
    slow.type = ExecuteProgramType;
    lstrcpynA(slow.programPath, (TestBinDir() + "slow_start.exe").c_str(), sizeof slow.programPath);
    _snprintf(slow.parameters, sizeof slow.parameters, "%d", (int)SlowStartMs);
    std::string bytes((const char*)keys, sizeof keys);
    // The set binds CH1 to the same window, with key B's message: its
    // arrivals tell that the set's own binding ran.
    static KeyActions set[RemoteKeyCount];
    set[KeyIndexA] = keys[KeyIndexA];
    set[KeyIndexA].slot[0].number = MessageB;
    std::string own((const char*)set, sizeof set);
    // CH4 is a "Long press" key (choice 3 in profile.held): its slot 1 runs
    // when a short press ends.
    std::string held("QHL1" + std::string(RemoteKeyCount, '\0'));
    held[4 + KeyIndexL] = 3;
    return WriteWholeFile(dir + "profile.cfg", bytes) && WriteWholeFile(dir + "profile.held", held) &&
           (!programSet || WriteWholeFile(dir + "profile-key_latency.exe.cfg", own));
}

struct Subject {
    const char* label;
    const char* exe;     // NULL: quellon.exe itself
    const char* args;
    bool programSet;
    QuellonRun run;
    HWND trick;
};

static bool StartSubject(Subject* s)
{
    std::string dir = MakeTempDir("bench");
    if (!WriteBenchProfile(dir, s->programSet))
        return false;
    if (!s->exe) {
        if (!StartQuellon(&s->run, dir))
            return false;
    } else {
        s->run.dir = dir;
        std::string exe = dir + s->exe;
        if (!CopyFileA((TestBinDir() + s->exe).c_str(), exe.c_str(), FALSE) ||
            !StartProgram("\"" + exe + "\" " + s->args, dir, &s->run.pi))
            return false;
    }
    s->trick = WaitForTrick(s->run, true, 10000);
    Sleep(500);    // let start-up settle
    return s->trick != NULL;
}

static void StopSubject(Subject* s)
{
    if (!s->exe)
        QuitQuellon(&s->run);
    CleanUpQuellon(&s->run);
}

struct Latency {
    double median, p99, slowest;
    int lost;
};

static Latency Summarise(std::vector<double> ms, int lost)
{
    Latency r = { 0, 0, 0, lost };
    if (ms.empty())
        return r;
    std::sort(ms.begin(), ms.end());
    r.median = ms[ms.size() / 2];
    r.p99 = ms[ms.size() * 99 / 100];
    r.slowest = ms.back();
    return r;
}

// Waits until the end of a quellon.exe flash other than k's own is not
// near: a floor's press timed then would pay for the shell's redraw.
static void WaitOutOthersFlashEnd(const Subject* subjects, int count, int k, const double* pressed)
{
    for (int j = 0; j < count; ++j) {
        double since = Now() - pressed[j];
        if (j != k && !subjects[j].exe && since > FlashEndFromMs && since < FlashEndUntilMs)
            Sleep((DWORD)(FlashEndUntilMs - since) + 1);
    }
}

// Presses go to the subjects in turn, so that the load of a shared machine
// falls on all of them alike; code is pressed once each time.
static void MeasureLatency(Subject* subjects, int count, int presses, Latency* out, WPARAM code = KeyA)
{
    std::vector<std::vector<double> > ms(count);
    std::vector<int> lost(count, 0);
    std::vector<double> pressed(count, -1e9);
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    for (int i = 0; i < presses; ++i)
        for (int k = 0; k < count; ++k) {
            // Presses land at random moments of the loop's pass, and each finds
            // the previous flash of the tray icon over, so that it pays for one.
            SendMessageA(subjects[k].trick, 0x0A00, NoKey, 0);    // a new press, however soon
            Sleep((DWORD)(FlashOverMs / count + rand() % 50));
            WaitOutOthersFlashEnd(subjects, count, k, &pressed[0]);
            pressed[k] = Now();
            ResetEvent(ArrivalEvent);
            LARGE_INTEGER sent;
            QueryPerformanceCounter(&sent);
            SendMessageA(subjects[k].trick, 0x0A00, code, 0);
            if (WaitForSingleObject(ArrivalEvent, 5000) != WAIT_OBJECT_0) {
                ++lost[k];
                continue;
            }
            ms[k].push_back((LastArrival.QuadPart - sent.QuadPart) * 1000.0 / freq.QuadPart);
        }
    for (int k = 0; k < count; ++k)
        out[k] = Summarise(ms[k], lost[k]);
}

struct Sender {
    HWND trick;
    WPARAM code;
    int presses;
    HANDLE go;
};

static DWORD WINAPI SenderThread(LPVOID arg)
{
    Sender* s = (Sender*)arg;
    WaitForSingleObject(s->go, INFINITE);
    for (int i = 0; i < s->presses; ++i) {
        SendMessageA(s->trick, 0x0A00, s->code, 0);
        SendMessageA(s->trick, 0x0A00, NoKey, 0);    // each press its own, not a held key
    }
    return 0;
}

struct Throughput {
    double perSecond;
    long lost;
};

// Two senders at once, each pressing its own key as fast as it is taken,
// with a code of no key between two presses.
static Throughput MeasureThroughput(HWND trick, int presses)
{
    Arrivals[0] = Arrivals[1] = 0;
    HANDLE go = CreateEventA(NULL, TRUE, FALSE, NULL);
    Sender senders[2] = { { trick, KeyA, presses, go }, { trick, KeyB, presses, go } };
    HANDLE threads[2];
    for (int i = 0; i < 2; ++i)
        threads[i] = CreateThread(NULL, 0, SenderThread, &senders[i], 0, NULL);
    Sleep(100);
    double start = Now();
    SetEvent(go);
    WaitForMultipleObjects(2, threads, TRUE, INFINITE);
    for (int i = 0; i < 500 && Arrivals[0] + Arrivals[1] < 2 * presses; ++i)
        Sleep(10);
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    double end = LastArrival.QuadPart * 1000.0 / freq.QuadPart;
    for (HANDLE t : threads)
        CloseHandle(t);
    CloseHandle(go);
    Throughput r;
    r.lost = 2L * presses - (Arrivals[0] + Arrivals[1]);
    r.perSecond = 2.0 * presses * 1000.0 / (end - start);
    return r;
}

static const char* Verdict(bool met)
{
    return met ? "met" : "NOT met";
}

static bool Within(const char* what, double value, double floor, const char* floorName, double goal)
{
    double ratio = value / floor;
    printf("  goal: %s within %.2f x the %s's: %.2f x, %s\n", what, goal, floorName, ratio,
           Verdict(ratio <= goal));
    return ratio <= goal;
}

enum { Quellon, Minimal, Null, Sleep50, SubjectCount };

static double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Presses a key; the time until the send returns, and until the message
// of key A arrives (when wanted), go to the lists.
static void Press(HWND trick, WPARAM code, double sent, std::vector<double>* returned,
                  std::vector<double>* arrived)
{
    SendMessageA(trick, 0x0A00, code, 0);
    if (returned)
        returned->push_back(Now() - sent);
    if (arrived && WaitForSingleObject(ArrivalEvent, 60000) == WAIT_OBJECT_0)
        arrived->push_back(Now() - sent);
}

// CH3 starts a program that reads its first message only after
// SlowStartMs, then CH1 is pressed at once: how long the reminder's send of
// CH3 is held, and when CH1's message arrives, from CH3's send. Floors from
// the same rounds: CH1 pressed alone, and a CreateProcessA of the program.
static int MeasureStall(int rounds)
{
    Subject q = { "quellon.exe", NULL, "", false, QuellonRun(), NULL };
    if (!StartSubject(&q))
        return 1;
    HANDLE reading = CreateEventA(NULL, TRUE, FALSE, "QuellonSlowStartReading");
    std::string command = "\"" + TestBinDir() + "slow_start.exe\" 0";
    std::vector<double> held, next, alone, start;
    for (int i = 0; i < rounds; ++i) {
        STARTUPINFOA si;
        ZeroMemory(&si, sizeof si);
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOW;
        PROCESS_INFORMATION pi;
        double begun = Now();
        if (CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
            start.push_back(Now() - begun);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
        WaitForSingleObject(reading, 60000);
        ResetEvent(reading);
        Sleep(300);
        Press(q.trick, KeyA, Now(), NULL, &alone);
        Sleep(300);
        double sent = Now();
        Press(q.trick, KeyC, sent, &held, NULL);
        Press(q.trick, KeyA, sent, NULL, &next);
        WaitForSingleObject(reading, 60000);    // the program is up before the next round
        ResetEvent(reading);
    }
    StopSubject(&q);
    printf("A started program slow to come up: %d rounds, CH3 starts slow_start.exe, which\n"
           "reads its first message after %d ms; CH1 (\"Send Message\") is pressed right after (ms)\n",
           rounds, (int)SlowStartMs);
    printf("  the reminder's send of CH3 returns after     %9.3f (median)\n", Median(held));
    printf("  CH1's message arrives, from CH3's send, after %9.3f (median, %d of %d arrived)\n",
           Median(next), (int)next.size(), rounds);
    printf("  floor: CH1 pressed alone                      %9.3f (median)\n", Median(alone));
    printf("  floor: CreateProcessA of slow_start.exe alone %9.3f (median)\n", Median(start));
    return 0;
}

int main(int argc, char** argv)
{
    ArrivalEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    StartTestWindowThread(MakeTarget);
    if (argc > 1 && strcmp(argv[1], "stall") == 0)
        return MeasureStall(argc > 2 && atoi(argv[2]) > 0 ? atoi(argv[2]) : 5);
    int presses = argc > 1 ? atoi(argv[1]) : 1000;
    if (presses < 10)
        presses = 10;

    Subject subjects[SubjectCount] = {
        { "quellon.exe", NULL, "", true, QuellonRun(), NULL },
        { "minimal receiver", "minimal_receiver.exe", "", false, QuellonRun(), NULL },
        { "null receiver", "null_receiver.exe", "", false, QuellonRun(), NULL },
        { "Sleep(50) loop", "minimal_receiver.exe", "sleep50", false, QuellonRun(), NULL },
    };
    Latency lat[SubjectCount], longKey;
    Throughput put[Sleep50];
    for (int i = 0; i < SubjectCount; ++i)
        if (!StartSubject(&subjects[i])) {
            fprintf(stderr, "%s did not start\n", subjects[i].label);
            return 1;
        }
    BringTargetToFront();
    MeasureLatency(subjects, SubjectCount, presses, lat);
    long ownRuns = Arrivals[1];
    MeasureLatency(subjects, 1, presses / 4, &longKey, KeyL);
    for (int i = 0; i < Sleep50; ++i)
        put[i] = MeasureThroughput(subjects[i].trick, presses);
    // One copy of quellon.exe runs at a time: the one without a set follows,
    // beside the null receiver again, with the other floors ended.
    StopSubject(&subjects[Quellon]);
    StopSubject(&subjects[Minimal]);
    StopSubject(&subjects[Sleep50]);
    Subject alone[2] = { { "quellon.exe, no set", NULL, "", false, QuellonRun(), NULL }, subjects[Null] };
    Latency aloneLat[2] = {};
    if (StartSubject(&alone[0])) {
        MeasureLatency(alone, 2, presses, aloneLat);
        StopSubject(&alone[0]);
    }
    StopSubject(&subjects[Null]);

    printf("Key latency: %d presses of CH1 bound to one \"Send Message\", from the\n"
           "reminder's send to the message's arrival (ms); quellon.exe runs the binding\n"
           "of a program set, its program (this one) in front\n", presses);
    printf("  %-18s %9s %9s %9s %6s\n", "", "median", "99th", "slowest", "lost");
    for (int i = 0; i < SubjectCount; ++i)
        printf("  %-18s %9.3f %9.3f %9.3f %6d\n", subjects[i].label, lat[i].median, lat[i].p99,
               lat[i].slowest, lat[i].lost);
    bool met = Within("median", lat[Quellon].median, lat[Minimal].median, "minimal receiver", 1.5);
    met &= Within("99th percentile", lat[Quellon].p99, lat[Minimal].p99, "minimal receiver", 1.5);
    met &= Within("median", lat[Quellon].median, lat[Null].median, "null receiver", 1.25);
    met &= Within("99th percentile", lat[Quellon].p99, lat[Null].p99, "null receiver", 1.25);
    bool setMet = lat[Quellon].median <= lat[Null].median && lat[Quellon].p99 <= lat[Null].p99;
    printf("  goal: with the set of the program in front, median and 99th percentile at or\n"
           "        below the null receiver's: %.2f x and %.2f x, %s (the set's own binding\n"
           "        ran at %ld of %d presses)\n",
           lat[Quellon].median / lat[Null].median, lat[Quellon].p99 / lat[Null].p99,
           Verdict(setMet), ownRuns, presses);
    met &= setMet && ownRuns == presses;
    printf("Then quellon.exe with the bindings for all programs alone, CH1 an \"Automatic\"\n"
           "key, beside the null receiver again (%d presses each)\n", presses);
    for (int i = 0; i < 2; ++i)
        printf("  %-18s %9.3f %9.3f %9.3f %6d\n", i ? "null receiver" : "quellon.exe", aloneLat[i].median,
               aloneLat[i].p99, aloneLat[i].slowest, aloneLat[i].lost);
    bool aloneMet = aloneLat[0].median > 0 && aloneLat[0].median <= aloneLat[1].median &&
                    aloneLat[0].p99 <= aloneLat[1].p99;
    printf("  goal: median and 99th percentile at or below the null receiver's: %.2f x and\n"
           "        %.2f x, %s\n", aloneLat[0].median / aloneLat[1].median, aloneLat[0].p99 / aloneLat[1].p99,
           Verdict(aloneMet));
    met &= aloneMet;
    printf("A \"Long press\" key's short press: %d presses of CH4, from its only code to its\n"
           "slot 1, which runs when the press ends (ms)\n", presses / 4);
    printf("  %-18s %9.3f %9.3f %9.3f %6d\n", "quellon.exe", longKey.median, longKey.p99,
           longKey.slowest, longKey.lost);
    printf("  goal: 99th percentile under the repeat gap + 50 ms (%d): %s\n", RepeatGapMs + 50,
           Verdict(longKey.p99 < RepeatGapMs + 50));
    met &= longKey.p99 < RepeatGapMs + 50;
    double sleepRatio = lat[Sleep50].median / lat[Quellon].median;
    printf("  goal: median 50 x faster than the Sleep(50) loop's: %.0f x, %s\n", sleepRatio,
           Verdict(sleepRatio >= 50));
    printf("Throughput: two senders at once, %d presses each, each key bound to one \"Send Message\"\n",
           presses);
    for (int i = 0; i < Sleep50; ++i)
        printf("  %-18s %9.0f presses/s, %ld lost\n", subjects[i].label, put[i].perSecond, put[i].lost);
    met = met && sleepRatio >= 50 && put[Quellon].lost == 0;
    return met ? 0 : 2;
}
