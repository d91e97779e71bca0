// Master volume: one step up or down, or the mute toggle, of the default
// sound output, with the new value shown before it is written. From Vista
// on the mixer reached through a wave-output handle only holds this
// program's own session volume, so there the default output's endpoint is
// used; the mixer remains for older systems and for when the endpoint
// cannot be had.
#include "actions/volume.h"

#include <windows.h>
#include <mmsystem.h>
#include <stdio.h>
#include <string.h>

#include "core/app_state.h"
#include "core/feedback.h"
#include "platform/platform.h"

enum { VistaMajorVersion = 6 };

// The value a command makes of the current one: the next volume step,
// capped at 0 and 65535, or the toggled mute flag (0 or 1).
static uint32_t NextVolumeValue(int32_t direction, uint32_t value)
{
    if (direction < 0)
        return value == 0 ? 1 : 0;
    int64_t step = VolumeStep;
    int64_t next = (int64_t)value + (direction > 0 ? step : -step);
    if (next < 0)
        next = 0;
    if (next > VolumeFull)
        next = VolumeFull;
    return (uint32_t)next;
}

uint32_t VolumeFromLevel(float level)
{
    if (!(level > 0.0f))    // also a level that is not a number
        return 0;
    if (level >= 1.0f)
        return VolumeFull;
    return (uint32_t)((double)level * VolumeFull + 0.5);
}

float LevelFromVolume(uint32_t volume)
{
    return volume >= VolumeFull ? 1.0f : (float)volume / VolumeFull;
}

// n / d where the quotient fits 32 bits, by long division: the 32-bit
// release then carries no 64-bit division routine of the compiler's.
static uint32_t DivideWide(uint64_t n, uint32_t d)
{
    uint32_t q = 0;
    for (int bit = 31; bit >= 0; --bit)
        if ((n >> bit) >= d) {
            n -= (uint64_t)d << bit;
            q |= 1u << bit;
        }
    return q;
}

uint32_t VolumeFromControl(uint32_t value, uint32_t low, uint32_t high)
{
    if (value <= low)
        return 0;
    if (value >= high)
        return VolumeFull;
    return DivideWide((uint64_t)(value - low) * VolumeFull, high - low);
}

uint32_t ControlFromVolume(uint32_t volume, uint32_t low, uint32_t high)
{
    if (volume >= VolumeFull)
        return high;
    // Rounded, so that a step is not lost on a control of few values.
    return low + DivideWide((uint64_t)volume * (high - low) + VolumeFull / 2, VolumeFull);
}

void FormatVolumeLine(char* out, size_t size, int32_t volume)
{
    if (volume < 0)
        volume = 0;
    if (volume > VolumeFull)
        volume = VolumeFull;
    int32_t bars = volume * VolumeBarWidth / VolumeFull;
    char bar[VolumeBarWidth + 1];
    memset(bar, '|', (size_t)bars);
    memset(bar + bars, ' ', (size_t)(VolumeBarWidth - bars));
    bar[VolumeBarWidth] = '\0';
    int n = _snprintf(out, size, "VOL %s%.3d", bar, (int)(volume * 100 / VolumeFull));
    if (size && (n < 0 || (size_t)n >= size))
        out[size - 1] = '\0';
}

void ShowVolumeBar(int32_t volume)
{
    char line[VolumeLineSize];
    FormatVolumeLine(line, sizeof line, volume);
    ShowOsdText(OsdSlotVolume, line);
}

static void ShowVolumeFeedback(int32_t direction, uint32_t value)
{
    if (direction >= 0)
        ShowVolumeBar((int32_t)value);
    else
        ShowOsdText(OsdSlotStatus, value ? "MUTE" : "UNMUTE");
}

// False, with nothing changed or shown, when the endpoint cannot be had.
static bool EndpointVolumeCommand(int32_t direction)
{
    EndpointVolume* endpoint = Platform.openEndpointVolume();
    if (!endpoint)
        return false;
    HRESULT read;
    uint32_t value;
    if (direction >= 0) {
        float level = 0.0f;
        read = Platform.getEndpointLevel(endpoint, &level);
        value = VolumeFromLevel(level);
    } else {
        BOOL mute = FALSE;
        read = Platform.getEndpointMute(endpoint, &mute);
        value = mute ? 1 : 0;
    }
    if (FAILED(read)) {
        Platform.closeEndpointVolume(endpoint);
        return false;
    }
    value = NextVolumeValue(direction, value);
    ShowVolumeFeedback(direction, value);
    if (direction >= 0)
        Platform.setEndpointLevel(endpoint, LevelFromVolume(value));
    else
        Platform.setEndpointMute(endpoint, value ? TRUE : FALSE);
    Platform.closeEndpointVolume(endpoint);
    return true;
}

// The first control of the given type on the mixer's first speakers line.
static bool FindSpeakersControl(HMIXER mixer, DWORD type, MIXERCONTROLA* found)
{
    UINT id = 0;
    Platform.mixerGetID((HMIXEROBJ)mixer, &id, MIXER_OBJECTF_HMIXER);
    MIXERCAPSA caps;
    ZeroMemory(&caps, sizeof caps);
    if (Platform.mixerGetDevCapsA(id, &caps, sizeof caps) != MMSYSERR_NOERROR)
        return false;

    MIXERLINEA line;
    bool speakers = false;
    for (DWORD d = 0; d < caps.cDestinations && !speakers; ++d) {
        ZeroMemory(&line, sizeof line);
        line.cbStruct = sizeof line;
        line.dwDestination = d;
        Platform.mixerGetLineInfoA((HMIXEROBJ)mixer, &line, MIXER_GETLINEINFOF_DESTINATION);
        speakers = line.dwComponentType == MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    }
    // The array holds 16 controls: a line with more is not read at all.
    if (!speakers || line.cControls > MixerMaxControls)
        return false;

    MIXERCONTROLA controls[MixerMaxControls];
    ZeroMemory(controls, sizeof controls);
    MIXERLINECONTROLSA request;
    ZeroMemory(&request, sizeof request);
    request.cbStruct = sizeof request;
    request.dwLineID = line.dwLineID;
    request.cControls = line.cControls;
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = controls;
    if (Platform.mixerGetLineControlsA((HMIXEROBJ)mixer, &request, MIXER_GETLINECONTROLSF_ALL)
        != MMSYSERR_NOERROR)
        return false;
    for (DWORD i = 0; i < line.cControls; ++i)
        if (controls[i].dwControlType == type) {
            *found = controls[i];
            return true;
        }
    return false;
}

static void AdjustMixerControl(HMIXER mixer, int32_t direction)
{
    MIXERCONTROLA control;
    DWORD type = direction < 0 ? MIXERCONTROL_CONTROLTYPE_MUTE : MIXERCONTROL_CONTROLTYPE_VOLUME;
    // A control of several items gets one detail per item: the buffer has
    // room for as many as the control array.
    if (!FindSpeakersControl(mixer, type, &control) || control.cMultipleItems > MixerMaxControls)
        return;
    MIXERCONTROLDETAILS_UNSIGNED values[MixerMaxControls];
    ZeroMemory(values, sizeof values);
    MIXERCONTROLDETAILS details;
    ZeroMemory(&details, sizeof details);
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = 1;    // all channels as one
    details.cMultipleItems = control.cMultipleItems;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    details.paDetails = values;
    // A value that could not be read is not stepped from: nothing changes.
    if (Platform.mixerGetControlDetailsA((HMIXEROBJ)mixer, &details, MIXER_GETCONTROLDETAILSF_VALUE)
        != MMSYSERR_NOERROR)
        return;
    if (direction < 0) {
        uint32_t mute = NextVolumeValue(direction, values[0].dwValue);
        ShowVolumeFeedback(direction, mute);
        values[0].dwValue = mute;
    } else {
        // The control's own range, seen on the 0 to 65535 scale of the steps.
        DWORD low = control.Bounds.dwMinimum, high = control.Bounds.dwMaximum;
        if (high <= low)
            return;
        uint32_t volume = NextVolumeValue(direction, VolumeFromControl(values[0].dwValue, low, high));
        ShowVolumeFeedback(direction, volume);
        values[0].dwValue = ControlFromVolume(volume, low, high);
    }
    Platform.mixerSetControlDetails((HMIXEROBJ)mixer, &details, MIXER_SETCONTROLDETAILSF_VALUE);
}

static void MixerVolumeCommand(int32_t direction)
{
    WAVEFORMATEX format;
    ZeroMemory(&format, sizeof format);
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 11025;
    format.nAvgBytesPerSec = 11025;
    format.nBlockAlign = 1;
    format.wBitsPerSample = 8;
    HWAVEOUT waveOut = NULL;
    if (!Platform.loadWinmm())
        return;
    if (Platform.waveOutOpen(&waveOut, WAVE_MAPPER, &format, 0, 0, 0) != MMSYSERR_NOERROR)
        return;
    HMIXER mixer = NULL;
    if (Platform.mixerOpen(&mixer, (UINT)(UINT_PTR)waveOut, 0, 0, MIXER_OBJECTF_HWAVEOUT)
        == MMSYSERR_NOERROR) {
        AdjustMixerControl(mixer, direction);
        Platform.mixerClose(mixer);
    }
    Platform.waveOutClose(waveOut);
}

void VolumeCommand(int32_t direction)
{
    if (WindowsMajorVersion >= VistaMajorVersion && EndpointVolumeCommand(direction))
        return;
    MixerVolumeCommand(direction);
}
