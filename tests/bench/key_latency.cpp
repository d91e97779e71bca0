// Key-press latency benchmark: how long the card maker's reminder waits for
// quellon.exe to take a key press. Starts quellon.exe, sends key codes to
// its "Trick Wnd" with SendMessageA as the reminder does, and prints the
// median and 95th percentile of the round trips. Codes that name no key are
// used, so that no action adds to the time: what is measured is how soon the
// receiver takes the message.
//   key_latency.exe [presses]
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/quellon_run.h"

int main(int argc, char** argv)
{
    int presses = argc > 1 ? atoi(argv[1]) : 200;
    QuellonRun run;
    if (!StartQuellon(&run)) {
        fprintf(stderr, "quellon.exe did not start\n");
        return 1;
    }
    HWND trick = WaitForWindow("Zorv@Video(^0^)", "Trick Wnd", 5000);
    if (!trick) {
        fprintf(stderr, "no Trick Wnd\n");
        CleanUpQuellon(&run);
        return 1;
    }
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    std::vector<double> ms;
    for (int i = 0; i < presses; ++i) {
        // Presses arrive at random moments of the receiver's 50 ms pass.
        Sleep((DWORD)(rand() % 50));
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        SendMessageA(trick, 0x0A00, 21, 0);
        QueryPerformanceCounter(&b);
        ms.push_back((b.QuadPart - a.QuadPart) * 1000.0 / freq.QuadPart);
    }
    std::sort(ms.begin(), ms.end());
    printf("key presses: %d\n", presses);
    printf("median round trip: %.3f ms\n", ms[ms.size() / 2]);
    printf("95th percentile:   %.3f ms\n", ms[ms.size() * 95 / 100]);
    printf("slowest:           %.3f ms\n", ms.back());
    QuitQuellon(&run);
    CleanUpQuellon(&run);
    return 0;
}
