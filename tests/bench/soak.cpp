// Soak driver: starts quellon.exe in the given program folder with the OSD
// on and keys bound to OSD feedback, to a Winamp stand-in of this program
// that answers its commands and queries, and to "Send Message" towards a
// window of this program, presses keys as the card maker's reminder does, and
// prints at intervals how many presses were made and delivered and what
// Windows reports about the process (Wine reports 0 for handles and GDI/USER
// objects: tools/soak.sh adds the Linux side).
//   soak.exe PROGRAM_DIR [presses] [seconds between reports]
#include <windows.h>
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/profile.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"
#include "tests/support/test_window.h"

static const UINT SoakMessage = WM_APP + 30;
static volatile LONG Delivered;
static volatile LONG PlayerAnswers;    // Winamp commands and shuffle queries answered
static LONG Shuffle;

static LRESULT CALLBACK WinampProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COMMAND || (m == WM_USER && lp == 250))
        InterlockedIncrement(&PlayerAnswers);
    if (m == WM_USER && lp == 250)
        return Shuffle;
    if (m == WM_USER && lp == 252)
        Shuffle = (LONG)wp;
    if (m == WM_COMMAND || m == WM_USER)
        return 0;
    return DefWindowProcA(w, m, wp, lp);
}

static LRESULT CALLBACK TargetProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == SoakMessage)
        InterlockedIncrement(&Delivered);
    return DefWindowProcA(w, m, wp, lp);
}

static void MakeTargets()
{
    MakeTestWindow("QuellonSoakTarget", "Soak", TargetProc);
    MakeTestWindow("Winamp v1.x", "Winamp", WinampProc);
}

// VOL+ (code 4) and VOL- (8): volume and its bar; MUTE (20): mute; DISPL (22):
// the time; PLAY (67): Winamp's Play and its status word; NEXT (68): Winamp's
// shuffle, queried and set, with its word. Each of them also posts
// SoakMessage, so that every press is counted once.
static const int32_t PlayerCodes[2] = { 67, 68 };

static std::string SoakProfile(int32_t* codes, int* count)
{
    static KeyActions keys[RemoteKeyCount];
    struct { int key; int32_t code; int32_t type; } binds[] = {
        { 3, 4, 20 }, { 7, 8, 21 }, { 19, 20, 64 }, { 20, 22, 65 }, { 29, 67, 2 }, { 30, 68, 10 },
    };
    *count = 0;
    for (auto& b : binds) {
        keys[b.key].slot[0].type = b.type;
        ActionRecord& r = keys[b.key].slot[1];
        r.type = 32;
        strcpy(r.windowClass, "QuellonSoakTarget");
        r.number = SoakMessage;
        codes[(*count)++] = b.code;
    }
    return std::string((const char*)keys, sizeof keys);
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: soak.exe PROGRAM_DIR [presses] [seconds between reports]\n");
        return 2;
    }
    std::string dir = argv[1];
    if (dir.back() != '\\')
        dir += '\\';
    long presses = argc > 2 ? atol(argv[2]) : 100000;
    DWORD every = (DWORD)(argc > 3 ? atol(argv[3]) : 10) * 1000;
    setvbuf(stdout, NULL, _IONBF, 0);

    CloseHandle(StartTestWindowThread(MakeTargets).thread);
    int32_t codes[8];
    int count = 0;
    WriteWholeFile(dir + "profile.cfg", SoakProfile(codes, &count));
    WriteWholeFile(dir + "settings.ini", "[OSD]\r\nEnable=1\r\nTimeout=1\r\n");
    QuellonRun run;
    if (!StartQuellon(&run, dir) || !WaitForTrick(run)) {
        fprintf(stderr, "quellon.exe did not start\n");
        return 1;
    }
    HWND trick = FindTrickWindow(run);
    printf("soak: quellon.exe pid %lu in %s, %ld presses\n", run.pi.dwProcessId, dir.c_str(), presses);
    DWORD start = GetTickCount();
    DWORD last = start;
    long playerPresses = 0;
    for (long i = 1; i <= presses; ++i) {
        int32_t code = codes[i % count];
        playerPresses += code == PlayerCodes[0] || code == PlayerCodes[1];
        SendMessageA(trick, 0x0A00, (WPARAM)code, 0);
        DWORD now = GetTickCount();
        if (now - last >= every || i == presses) {
            last = now;
            DWORD handles = 0;
            GetProcessHandleCount(run.pi.hProcess, &handles);
            printf("soak: %6.1f s  presses %ld  delivered %ld  player %ld  handles %lu  GDI %lu  USER %lu\n",
                   (now - start) / 1000.0, i, (long)Delivered, (long)PlayerAnswers, handles,
                   GetGuiResources(run.pi.hProcess, GR_GDIOBJECTS),
                   GetGuiResources(run.pi.hProcess, GR_USEROBJECTS));
        }
    }
    Sleep(500);
    printf("soak: delivered %ld of %ld, player answered %ld of %ld\n", (long)Delivered, presses,
           (long)PlayerAnswers, playerPresses);
    long code = QuitQuellon(&run);
    printf("soak: quellon.exe exit code %ld\n", code);
    KillProgram(&run.pi);
    return Delivered == presses && PlayerAnswers == playerPresses && code == 0 ? 0 : 1;
}
