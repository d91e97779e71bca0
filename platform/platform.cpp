// The platform table set to the real functions, and the run-time lookups
// behind it: LockWorkStation and the default output's endpoint volume, so
// that the one executable still starts where they are missing, and winmm.
#include "platform/platform.h"

#include <objbase.h>
#include <mmdeviceapi.h>
#include <endpointvolume.h>

#include "platform/late_dlls.h"
#include "platform/system_dll.h"

#include <stddef.h>

static LockWorkStationFn FindLockWorkStation()
{
    return (LockWorkStationFn)(void*)FindSystemFunction("user32.dll", "LockWorkStation");
}

// winmm is no KnownDLL: imported, it would be looked for beside the exe
// first, where anyone may have put a winmm.dll. It is loaded from the system
// folder when a volume action first needs it, which on Vista and later,
// where the endpoint serves, is never. Only the entries still empty are
// filled: a test's recorders stay. Called on the receiver thread alone.
static bool LoadWinmm()
{
    static HMODULE winmm;
    static_assert(offsetof(PlatformTable, mixerSetControlDetails)
                      - offsetof(PlatformTable, waveOutOpen) == 9 * sizeof(FARPROC),
                  "winmm's entries follow one another, in the order of the names");
    return FindSystemDllFunctions(&winmm, "winmm.dll",
                                  "waveOutOpen\0waveOutClose\0mixerOpen\0mixerClose\0mixerGetID\0"
                                  "mixerGetDevCapsA\0mixerGetLineInfoA\0mixerGetLineControlsA\0"
                                  "mixerGetControlDetailsA\0mixerSetControlDetails\0",
                                  &Platform.waveOutOpen, 10);
}

// Our own copies of the ids: no import library and no compiler extension needed.
static const GUID DeviceEnumeratorClass = {
    0xBCDE0395, 0xE52F, 0x467C, { 0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E } };
static const GUID DeviceEnumeratorInterface = {
    0xA95664D2, 0x9614, 0x4F35, { 0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6 } };
static const GUID EndpointVolumeInterface = {
    0x5CDF2C82, 0x841E, 0x4546, { 0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A } };

// Each open has a record of its own: a volume action can run inside
// another one (a key press handled while the outer one waits), and the inner
// close must not take the endpoint, or the COM apartment, from the outer.
struct EndpointVolume {
    IAudioEndpointVolume* volume;
    BOOL comStarted;    // this open initialised COM and must end it again
};

static void CloseEndpointVolume(EndpointVolume* endpoint)
{
    if (endpoint->volume)
        endpoint->volume->Release();
    // Every successful initialisation, S_FALSE included, is ended once.
    if (endpoint->comStarted)
        LateCoUninitialize();
    HeapFree(GetProcessHeap(), 0, endpoint);
}

static EndpointVolume* OpenEndpointVolume()
{
    EndpointVolume* endpoint =
        (EndpointVolume*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(EndpointVolume));
    if (!endpoint)
        return NULL;
    HRESULT started = LateCoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    // Already initialised otherwise on this thread: usable, but not ours to end.
    if (FAILED(started) && started != RPC_E_CHANGED_MODE) {
        HeapFree(GetProcessHeap(), 0, endpoint);
        return NULL;
    }
    endpoint->comStarted = SUCCEEDED(started);

    // Before Vista the class is not registered and this fails.
    IMMDeviceEnumerator* devices = NULL;
    IMMDevice* output = NULL;
    if (SUCCEEDED(LateCoCreateInstance(DeviceEnumeratorClass, NULL, CLSCTX_INPROC_SERVER,
                                   DeviceEnumeratorInterface, (void**)&devices))
        && SUCCEEDED(devices->GetDefaultAudioEndpoint(eRender, eConsole, &output)))
        output->Activate(EndpointVolumeInterface, CLSCTX_INPROC_SERVER, NULL,
                         (void**)&endpoint->volume);
    if (output)
        output->Release();
    if (devices)
        devices->Release();
    if (!endpoint->volume) {
        CloseEndpointVolume(endpoint);
        return NULL;
    }
    return endpoint;
}

static HRESULT GetEndpointLevel(EndpointVolume* endpoint, float* level)
{
    return endpoint->volume->GetMasterVolumeLevelScalar(level);
}

static HRESULT SetEndpointLevel(EndpointVolume* endpoint, float level)
{
    return endpoint->volume->SetMasterVolumeLevelScalar(level, NULL);
}

static HRESULT GetEndpointMute(EndpointVolume* endpoint, BOOL* mute)
{
    return endpoint->volume->GetMute(mute);
}

static HRESULT SetEndpointMute(EndpointVolume* endpoint, BOOL mute)
{
    return endpoint->volume->SetMute(mute, NULL);
}

const PlatformTable RealPlatform = {
    GetTickCount,
    GetLocalTime,
    SendInput,
    ExitWindowsEx,
    FindLockWorkStation,
    DefWindowProcA,
    MonitorFromWindow,
    GetMonitorInfoA,
    // winmm's ten, filled by LoadWinmm.
    NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
    OpenEndpointVolume,
    GetEndpointLevel,
    SetEndpointLevel,
    GetEndpointMute,
    SetEndpointMute,
    CloseEndpointVolume,
    LoadWinmm,
};

PlatformTable Platform = RealPlatform;
