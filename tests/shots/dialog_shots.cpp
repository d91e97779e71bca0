// Screenshots of the two dialogs for the README, as a user sees them: the
// Configuration dialog with a key selected and a slot's details open, and
// the Settings dialog. Starts quellon.exe with a small profile, drives it
// like the tests do and crops the dialogs out of the screen with import.
//   dialog_shots.exe <unix folder for the PNGs>
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "tests/support/dialog_driver.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"

static void PutInt(std::string* p, size_t at, int32_t v)
{
    memcpy(&(*p)[at], &v, 4);
}

// "PLAY" (key 29): Winamp Play, then Space into Media Player Classic if it runs.
static std::string SampleProfile()
{
    std::string p(98304, '\0');
    size_t key = 29 * 2048;
    PutInt(&p, key, 2);
    size_t slot1 = key + 512;
    PutInt(&p, slot1, 60);
    memcpy(&p[slot1 + 388], "MediaPlayerClassicW", 19);
    PutInt(&p, slot1 + 500, 2);       // "Space"
    PutInt(&p, slot1 + 504, 0x10);    // only if the window is found
    PutInt(&p, key + 2 * 512, 65);    // "Show Time"
    return p;
}

static std::string WindowsPath(const std::string& unixPath)
{
    std::string w = "Z:" + unixPath;
    for (char& c : w)
        if (c == '/')
            c = '\\';
    return w;
}

// Crops the window's rectangle out of the screen into a PNG.
static bool ShootWindow(HWND window, const std::string& unixPng)
{
    RECT r;
    GetWindowRect(window, &r);
    char geometry[64];
    _snprintf(geometry, sizeof geometry, "%ldx%ld+%ld+%ld", r.right - r.left, r.bottom - r.top,
              r.left, r.top);
    geometry[sizeof geometry - 1] = '\0';
    std::string winPng = WindowsPath(unixPng);
    DeleteFileA(winPng.c_str());
    PROCESS_INFORMATION pi;
    std::string cmd = "/usr/bin/import -window root -crop " + std::string(geometry) + " +repage " + unixPng;
    if (!StartProgram(cmd, "", &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // The exit of a Unix child is not reported: wait until the file stops growing.
    long last = -1;
    for (int i = 0; i < 200; ++i) {
        Sleep(100);
        long size = FileSize(winPng);
        if (size > 0 && size == last)
            return true;
        last = size;
    }
    return false;
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: dialog_shots.exe <unix folder>\n");
        return 2;
    }
    std::string out = argv[1];
    QuellonRun run;
    run.dir = MakeTempDir("shots");
    WriteWholeFile(run.dir + "profile.cfg", SampleProfile());
    WriteWholeFile(run.dir + "settings.ini",
                   "[Settings]\r\nMouseMultiplier=60\r\nTrayDoubleClick=0\r\n"
                   "[OSD]\r\nEnable=1\r\nColor=65280\r\nTextSize=5\r\nTimeout=3\r\nOpaque=28\r\n");
    if (!StartQuellon(&run, run.dir)) {
        fprintf(stderr, "quellon.exe did not start\n");
        return 1;
    }
    HWND d = run.config;
    HWND trick = WaitForTrick(run);
    ShowWindow(d, SW_SHOW);
    if (trick)
        SendMessageA(trick, 0x0A00, 67, 0);    // the remote's PLAY: selects its key
    ClickControl(d, 1009);                     // Details of slot 2
    Sleep(700);
    bool ok = ShootWindow(d, out + "/config-dialog.png");

    ClickControl(d, 3);    // "&Settings"
    HWND s = FindWindowOfProcess(run.pi.dwProcessId, "#32770", "Settings");
    Sleep(700);
    ok = s && ShootWindow(s, out + "/settings-dialog.png") && ok;

    QuitQuellon(&run);
    CleanUpQuellon(&run);
    printf("%s\n", ok ? "screenshots written" : "a screenshot failed");
    return ok ? 0 : 1;
}
