// Screenshots through import. Wine starts Unix programs given by their Unix
// path, and maps the Unix root as drive Z:, where the test reads the file back.
#include "tests/support/screenshot.h"

#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include "tests/support/process.h"

static bool ParsePpm(const std::string& data, Screenshot* shot)
{
    int w = 0, h = 0, maxval = 0, used = 0;
    if (sscanf(data.c_str(), "P6 %d %d %d%n", &w, &h, &maxval, &used) != 3 || maxval != 255)
        return false;
    size_t start = (size_t)used + 1;    // one white-space byte ends the header
    size_t need = (size_t)w * h * 3;
    if (data.size() < start + need)
        return false;
    shot->width = w;
    shot->height = h;
    shot->rgb.assign(data.begin() + start, data.begin() + start + need);
    return true;
}

bool TakeScreenshot(Screenshot* shot)
{
    char unixPath[128], winPath[128];
    _snprintf(unixPath, sizeof unixPath, "/tmp/quellon-shot-%lu.ppm", GetCurrentProcessId());
    _snprintf(winPath, sizeof winPath, "Z:\\tmp\\quellon-shot-%lu.ppm", GetCurrentProcessId());
    DeleteFileA(winPath);
    std::string cmd = std::string("/usr/bin/import -window root -depth 8 ppm:") + unixPath;
    PROCESS_INFORMATION pi;
    if (!StartProgram(cmd, "", &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // The exit of a Unix child is not reported to us: wait for a complete file.
    std::string data;
    for (int i = 0; i < 500; ++i) {
        Sleep(20);
        if (ReadWholeFile(winPath, &data) && ParsePpm(data, shot)) {
            DeleteFileA(winPath);
            return true;
        }
    }
    return false;
}
