// Link-time stand-ins of the executors, for the dispatcher's tests.
#include "tests/dispatcher/recorders.h"

#include <stdarg.h>
#include <stdio.h>

#include "actions/clock.h"
#include "actions/keys.h"
#include "actions/media_player.h"
#include "actions/message.h"
#include "actions/mouse.h"
#include "actions/program.h"
#include "actions/system.h"
#include "actions/tv_apps.h"
#include "actions/volume.h"
#include "actions/winamp.h"
#include "core/vendor_apps.h"
#include "platform/window_lookup.h"

std::vector<std::string> CallLog;

static void Log(const char* format, ...)
{
    char line[1024];
    va_list args;
    va_start(args, format);
    _vsnprintf(line, sizeof line, format, args);
    va_end(args);
    line[sizeof line - 1] = '\0';
    CallLog.push_back(line);
}

void WinampCommand(int32_t command) { Log("WinampCommand(%d)", (int)command); }
void MediaPlayerCommand(int32_t type) { Log("MediaPlayerCommand(%d)", (int)type); }
void TvAppCommand(int32_t type) { Log("TvAppCommand(%d)", (int)type); }
void MouseCommand(int32_t code) { Log("MouseCommand(%d)", (int)code); }
void VolumeCommand(int32_t direction) { Log("VolumeCommand(%d)", (int)direction); }
void ExitSystem(uint32_t flags) { Log("ExitSystem(%u)", (unsigned)flags); }
void LockComputer() { Log("LockComputer()"); }
void SetMonitorPower(int32_t state) { Log("SetMonitorPower(%d)", (int)state); }
void ShowClock() { Log("ShowClock()"); }
void LaunchVendorApp() { Log("LaunchVendorApp()"); }

void RunProgram(const char* path, const char* params)
{
    Log("RunProgram(%s|%s)", path, params);
}

void PostToWindow(const char* windowClass, const char* name, uint32_t number, uint32_t wParam,
                  uint32_t lParam)
{
    Log("PostToWindow(%s|%s|%u|%u|%u)", windowClass, name ? name : "<none>", (unsigned)number,
        (unsigned)wParam, (unsigned)lParam);
}

// The lookup of texts that fill their fields has tests of its own.
HWND FindBoundWindow(const char* windowClass, int, const char* name, int) { return FindWindowA(windowClass, name); }

void SendKeyCombo(HWND target, uint8_t vk, uint8_t flags)
{
    Log("SendKeyCombo(%p|0x%02X|0x%02X)", (void*)target, vk, flags);
}
