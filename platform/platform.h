// The platform calls that would end a session, lock it, switch the display
// or change what the user hears, and those whose results must be fixed to
// check the actions' arithmetic: all reached through one table that holds
// the real functions; test programs swap entries for recorders.
#pragma once
#include <windows.h>
#include <mmsystem.h>

typedef BOOL (WINAPI* LockWorkStationFn)(void);

// The default sound output's endpoint volume (Vista and later), opaque to
// its users.
struct EndpointVolume;

struct PlatformTable {
    decltype(&::GetTickCount) getTickCount;
    decltype(&::GetLocalTime) getLocalTime;
    decltype(&::SendInput) sendInput;
    decltype(&::ExitWindowsEx) exitWindowsEx;
    // user32's LockWorkStation, looked up on every call, or NULL.
    LockWorkStationFn (*findLockWorkStation)();
    // The monitor-power request goes to the default window procedure.
    decltype(&::DefWindowProcA) defWindowProc;
    // The monitor that shows a window and its rectangle, for the OSD (one
    // screen here: tests hand it a second one).
    decltype(&::MonitorFromWindow) monitorFromWindow;
    decltype(&::GetMonitorInfoA) getMonitorInfo;

    // winmm's functions: NULL until loadWinmm found them.
    decltype(&::waveOutOpen) waveOutOpen;
    decltype(&::waveOutClose) waveOutClose;
    decltype(&::mixerOpen) mixerOpen;
    decltype(&::mixerClose) mixerClose;
    decltype(&::mixerGetID) mixerGetID;
    decltype(&::mixerGetDevCapsA) mixerGetDevCapsA;
    decltype(&::mixerGetLineInfoA) mixerGetLineInfoA;
    decltype(&::mixerGetLineControlsA) mixerGetLineControlsA;
    decltype(&::mixerGetControlDetailsA) mixerGetControlDetailsA;
    decltype(&::mixerSetControlDetails) mixerSetControlDetails;

    // NULL where the endpoint cannot be had (before Vista, no sound device).
    EndpointVolume* (*openEndpointVolume)();
    HRESULT (*getEndpointLevel)(EndpointVolume* endpoint, float* level);    // 0.0 to 1.0
    HRESULT (*setEndpointLevel)(EndpointVolume* endpoint, float level);
    HRESULT (*getEndpointMute)(EndpointVolume* endpoint, BOOL* mute);
    HRESULT (*setEndpointMute)(EndpointVolume* endpoint, BOOL mute);
    void (*closeEndpointVolume)(EndpointVolume* endpoint);

    // Loads winmm from the system folder and fills the empty winmm entries
    // above; false when winmm or one of them cannot be had.
    bool (*loadWinmm)();
};

extern PlatformTable Platform;

// The table as the process starts, for tests that swap entries to restore.
extern const PlatformTable RealPlatform;
