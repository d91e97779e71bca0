// Master volume against a recording mixer and a recording endpoint: steps
// and caps, the volume line, mute, failures, and which of the two is used.
#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "actions/volume.h"
#include "config/settings.h"
#include "core/app_state.h"
#include "platform/platform.h"
#include "osd/osd.h"
#include "tests/support/osd_slots.h"

namespace {

const DWORD VolumeType = 0x50030001, MuteType = 0x20010002, Speakers = 4;
const UINT MixerId = 7;
HWAVEOUT const WaveHandle = (HWAVEOUT)(UINT_PTR)0x5150;
HMIXER const MixerHandle = (HMIXER)(UINT_PTR)0x6160;

// Every value written, as "value|feedback text on screen at that moment".
std::vector<std::string> Writes;
// Arguments that differ from what the platform expects.
std::vector<std::string> Faults;

void Fault(bool bad, const char* what)
{
    if (bad)
        Faults.push_back(what);
}

void RecordWrite(uint32_t value, bool mute)
{
    Writes.push_back(std::to_string(value) + "|" + OsdSlotText(mute ? OsdSlotStatus : OsdSlotVolume));
}

struct FakeMixer {
    MMRESULT waveResult, mixerResult, capsResult, controlsResult;
    DWORD destinations[3];
    DWORD destinationCount;
    DWORD controlTypes[20];
    DWORD controlCount;
    uint32_t volume, mute;
    int opens, openNow;
    MMRESULT readResult;
    DWORD low, high;    // the volume control's bounds
} Mixer;

const FakeMixer GoodMixer = { 0, 0, 0, 0, { 7, Speakers, Speakers }, 3,
                              { 0x10010000, MuteType, VolumeType, VolumeType }, 4, 0, 0, 0, 0,
                              0, 0, 65535 };

// Each recorder checks the arguments the platform is given.
MMRESULT WINAPI WaveOpen(LPHWAVEOUT out, UINT device, LPCWAVEFORMATEX f, DWORD_PTR cb, DWORD_PTR inst, DWORD flags)
{
    Fault(device != WAVE_MAPPER || cb || inst || flags || f->wFormatTag != 1 || f->nChannels != 1
              || f->nSamplesPerSec != 11025 || f->nAvgBytesPerSec != 11025 || f->nBlockAlign != 1
              || f->wBitsPerSample != 8, "waveOutOpen");
    *out = WaveHandle;
    Mixer.opens += !Mixer.waveResult;
    Mixer.openNow += !Mixer.waveResult;
    return Mixer.waveResult;
}

MMRESULT WINAPI MixOpen(LPHMIXER out, UINT device, DWORD_PTR cb, DWORD_PTR inst, DWORD flags)
{
    Fault(device != (UINT)(UINT_PTR)WaveHandle || cb || inst || flags != 0x90000000, "mixerOpen");
    *out = MixerHandle;
    Mixer.openNow += !Mixer.mixerResult;
    return Mixer.mixerResult;
}

MMRESULT WINAPI WaveClose(HWAVEOUT w) { Fault(w != WaveHandle, "waveOutClose"); return --Mixer.openNow, 0; }
MMRESULT WINAPI MixClose(HMIXER m) { Fault(m != MixerHandle, "mixerClose"); return --Mixer.openNow, 0; }

MMRESULT WINAPI MixId(HMIXEROBJ m, UINT* id, DWORD flags)
{
    Fault(m != (HMIXEROBJ)MixerHandle || flags != 0x80000000, "mixerGetID");
    *id = MixerId;
    return 0;
}

MMRESULT WINAPI MixCaps(UINT_PTR id, LPMIXERCAPSA caps, UINT size)
{
    Fault(id != MixerId || size != sizeof(MIXERCAPSA), "mixerGetDevCapsA");
    caps->cDestinations = Mixer.destinationCount;
    return Mixer.capsResult;
}

MMRESULT WINAPI MixLine(HMIXEROBJ m, LPMIXERLINEA line, DWORD flags)
{
    Fault(m != (HMIXEROBJ)MixerHandle || flags || line->cbStruct != sizeof(MIXERLINEA)
              || line->dwDestination >= Mixer.destinationCount, "mixerGetLineInfoA");
    line->dwComponentType = Mixer.destinations[line->dwDestination];
    line->dwLineID = 0x100 + line->dwDestination;
    line->cControls = Mixer.controlCount;
    return 0;
}

// Writes exactly as many controls as asked for, as a driver does.
MMRESULT WINAPI MixControls(HMIXEROBJ m, LPMIXERLINECONTROLSA r, DWORD flags)
{
    Fault(m != (HMIXEROBJ)MixerHandle || flags || r->cbStruct != sizeof(MIXERLINECONTROLSA)
              || r->dwLineID != 0x101 || r->cControls != Mixer.controlCount
              || r->cbmxctrl != sizeof(MIXERCONTROLA) || r->cControls > 16, "mixerGetLineControlsA");
    for (DWORD i = 0; i < r->cControls && i < 20; ++i) {
        r->pamxctrl[i].dwControlID = 0x200 + i;
        r->pamxctrl[i].dwControlType = Mixer.controlTypes[i];
        r->pamxctrl[i].Bounds.dwMinimum = Mixer.low;
        r->pamxctrl[i].Bounds.dwMaximum = Mixer.high;
    }
    return Mixer.controlsResult;
}

// The value behind a control, volume or mute, and its one detail.
uint32_t* ControlValue(LPMIXERCONTROLDETAILS d, DWORD flags, bool* mute, DWORD** detail)
{
    DWORD i = d->dwControlID - 0x200;
    Fault(i >= Mixer.controlCount || flags || d->cbStruct != sizeof(MIXERCONTROLDETAILS)
              || d->cChannels != 1 || d->cMultipleItems || d->cbDetails != 4, "control details");
    *mute = Mixer.controlTypes[i] == MuteType;
    *detail = &((MIXERCONTROLDETAILS_UNSIGNED*)d->paDetails)->dwValue;
    return *mute ? &Mixer.mute : &Mixer.volume;
}

MMRESULT WINAPI MixGet(HMIXEROBJ, LPMIXERCONTROLDETAILS d, DWORD flags)
{
    bool mute;
    DWORD* detail;
    uint32_t value = *ControlValue(d, flags, &mute, &detail);
    *detail = Mixer.readResult ? 0 : value;
    return Mixer.readResult;
}

MMRESULT WINAPI MixSet(HMIXEROBJ, LPMIXERCONTROLDETAILS d, DWORD flags)
{
    bool mute;
    DWORD* detail;
    uint32_t* value = ControlValue(d, flags, &mute, &detail);
    RecordWrite(*value = *detail, mute);
    return 0;
}

struct FakeEndpoint {
    bool available;
    HRESULT readResult;
    float level;
    BOOL mute;
    int opens, openNow;
} Endpoint;

EndpointVolume* const EndpointHandle = (EndpointVolume*)&Endpoint;

EndpointVolume* OpenEndpoint()
{
    Endpoint.opens += Endpoint.available;
    Endpoint.openNow += Endpoint.available;
    return Endpoint.available ? EndpointHandle : NULL;
}

void CloseEndpoint(EndpointVolume* e) { Fault(e != EndpointHandle, "endpoint"); --Endpoint.openNow; }
HRESULT GetLevel(EndpointVolume*, float* level) { *level = Endpoint.level; return Endpoint.readResult; }
HRESULT GetMute(EndpointVolume*, BOOL* mute) { *mute = Endpoint.mute; return Endpoint.readResult; }
HRESULT SetMute(EndpointVolume*, BOOL mute) { RecordWrite((uint32_t)(Endpoint.mute = mute), true); return S_OK; }

HRESULT SetLevel(EndpointVolume*, float level)
{
    char value[32];    // the level on the mixer's scale, rounded by printf
    snprintf(value, sizeof value, "%.0f", (Endpoint.level = level) * 65535.0);
    Writes.push_back(std::string(value) + "|" + OsdSlotText(OsdSlotVolume));
    return S_OK;
}

// Both recorders in place, the OSD on with nothing on screen; version 6
// selects the endpoint, 5 the mixer.
void SetUpRecorders(DWORD version)
{
    SetUpOsdSlots();
    HideOsdSlots();
    WindowsMajorVersion = version;
    Mixer = GoodMixer;
    Endpoint = FakeEndpoint{ true, S_OK, 0.0f, FALSE, 0, 0 };
    Writes.clear();
    Faults.clear();
    PlatformTable& p = Platform;
    p.waveOutOpen = WaveOpen;
    p.waveOutClose = WaveClose;
    p.mixerOpen = MixOpen;
    p.mixerClose = MixClose;
    p.mixerGetID = MixId;
    p.mixerGetDevCapsA = MixCaps;
    p.mixerGetLineInfoA = MixLine;
    p.mixerGetLineControlsA = MixControls;
    p.mixerGetControlDetailsA = MixGet;
    p.mixerSetControlDetails = MixSet;
    p.openEndpointVolume = OpenEndpoint;
    p.closeEndpointVolume = CloseEndpoint;
    p.getEndpointLevel = GetLevel;
    p.setEndpointLevel = SetLevel;
    p.getEndpointMute = GetMute;
    p.setEndpointMute = SetMute;
}

std::string Line(int bars, const char* percent)
{
    return "VOL " + std::string(bars, '|') + std::string(32 - bars, ' ') + percent;
}

std::string Expected(uint32_t value)
{
    char line[VolumeLineSize];
    FormatVolumeLine(line, sizeof line, (int32_t)value);
    return std::to_string(value) + "|" + line;
}

}  // namespace

TEST(ShowVolumeBar, VolumeLinesOfTheEdgeCases)
{
    SetUpOsdSlots();
    struct { int32_t volume; std::string line; } cases[] = {
        { 0, Line(0, "000") },      { 32768, Line(16, "050") }, { 15 * 4096, Line(30, "093") },
        { 65535, Line(32, "100") }, { 4096, Line(2, "006") },   { 2047, Line(0, "003") },
    };
    for (auto& c : cases) {
        ShowVolumeBar(c.volume);
        EXPECT_EQ(c.line, OsdSlotText(OsdSlotVolume)) << c.volume;
        EXPECT_EQ(39u, c.line.size());
    }
    ShowVolumeBar(70000);    // never past the bar, whatever a caller passes
    EXPECT_EQ(Line(32, "100"), OsdSlotText(OsdSlotVolume));
}

TEST(VolumeCommand, StepsCapsAndMuteThroughMixerAndEndpoint)
{
    for (DWORD version : { 5, 6 }) {
        SetUpRecorders(version);
        std::vector<std::string> expected;
        for (uint32_t i = 1; i <= 17; ++i) {
            VolumeCommand(1);
            expected.push_back(Expected(i * 4096 > 65535 ? 65535 : i * 4096));
        }
        for (uint32_t i = 1; i <= 17; ++i) {
            VolumeCommand(0);
            expected.push_back(Expected(i * 4096 > 65535 ? 0 : 65535 - i * 4096));
        }
        EXPECT_EQ(0u, Mixer.mute + Endpoint.mute);    // stepping neither mutes nor unmutes
        VolumeCommand(-1);
        VolumeCommand(-1);
        Mixer.mute = Endpoint.mute = 5;    // any non-zero value is muted
        VolumeCommand(-1);
        expected.insert(expected.end(), { "1|MUTE", "0|UNMUTE", "0|UNMUTE" });
        EXPECT_EQ(expected, Writes) << "version " << version;
        EXPECT_EQ(version == 6 ? 37 : 0, Endpoint.opens);
        EXPECT_EQ(version == 6 ? 0 : 37, Mixer.opens);
        EXPECT_EQ(0, Endpoint.openNow + Mixer.openNow);
        EXPECT_TRUE(Faults.empty()) << Faults[0];
    }
    Platform = RealPlatform;
}

TEST(VolumeCommand, UnusableMixersChangeNothingAndADisabledOsdOnlyHidesTheBar)
{
    struct { const char* name; void (*spoil)(FakeMixer&); } cases[] = {
        { "no wave-output device", [](FakeMixer& m) { m.waveResult = 2; } },
        { "no mixer", [](FakeMixer& m) { m.mixerResult = 2; } },
        { "no capabilities", [](FakeMixer& m) { m.capsResult = 2; } },
        { "no speakers line", [](FakeMixer& m) { m.destinations[1] = m.destinations[2] = 5; } },
        { "no volume control", [](FakeMixer& m) { m.controlTypes[2] = m.controlTypes[3] = 0; } },
        { "controls unreadable", [](FakeMixer& m) { m.controlsResult = 2; } },
        { "17 controls", [](FakeMixer& m) { m.controlCount = 17; } },
        { "value unreadable", [](FakeMixer& m) { m.readResult = 2; } },
        { "empty range", [](FakeMixer& m) { m.low = m.high = 100; } },
    };
    for (auto& c : cases) {
        SetUpRecorders(5);
        c.spoil(Mixer);
        VolumeCommand(1);
        EXPECT_TRUE(Writes.empty()) << c.name;
        EXPECT_FALSE(OsdSlotShown(OsdSlotVolume)) << c.name;
        EXPECT_EQ(0, Mixer.openNow) << c.name;
        EXPECT_TRUE(Faults.empty()) << c.name;
    }
    // With the OSD disabled the value still changes.
    SetUpRecorders(5);
    OsdSettings.Enable = 0;
    VolumeCommand(1);
    OsdSettings.Enable = 1;
    EXPECT_EQ(4096u, Mixer.volume);
    EXPECT_FALSE(OsdSlotShown(OsdSlotVolume));
    // Sixteen controls still fit: the last one is found.
    SetUpRecorders(5);
    Mixer.controlCount = 16;
    Mixer.controlTypes[2] = Mixer.controlTypes[3] = 0;
    Mixer.controlTypes[15] = VolumeType;
    VolumeCommand(1);
    EXPECT_EQ(std::vector<std::string>{ Expected(4096) }, Writes);
    SetUpRecorders(5);    // a control of 100 to 1100, half way: a step up is 36863 of 65535, 662
    Mixer.low = 100, Mixer.high = 1100, Mixer.volume = 600;
    VolumeCommand(1);
    EXPECT_EQ(std::vector<std::string>{ "662|" + Expected(36863).substr(6) }, Writes);
    Platform = RealPlatform;
}

TEST(VolumeCommand, EndpointFromVistaOnAndTheMixerOtherwise)
{
    struct { DWORD version; bool available; HRESULT read; int endpointOpens; int mixerOpens; } cases[] = {
        { 6, true, S_OK, 1, 0 },           // Vista and later: the endpoint
        { 10, true, S_OK, 1, 0 },
        { 5, true, S_OK, 0, 1 },           // XP: the mixer
        { 6, false, S_OK, 0, 1 },          // no endpoint: the mixer
        { 6, true, E_NOTIMPL, 1, 1 },      // endpoint unreadable: the mixer
    };
    for (auto& c : cases) {
        SetUpRecorders(c.version);
        Endpoint.available = c.available;
        Endpoint.readResult = c.read;
        Endpoint.level = 0.5f;
        Mixer.volume = 1000;
        VolumeCommand(1);
        EXPECT_EQ(c.endpointOpens, Endpoint.opens) << c.version;
        EXPECT_EQ(c.mixerOpens, Mixer.opens) << c.version;
        EXPECT_EQ(std::vector<std::string>{ Expected(c.mixerOpens ? 5096 : 36864) }, Writes);
        EXPECT_EQ(0, Endpoint.openNow + Mixer.openNow);
    }
    Platform = RealPlatform;
}

TEST(VolumeCommand, ControlsOfEveryRangeMapOntoTheMixerScale)
{
    const uint32_t ranges[][2] = { { 0, 1 }, { 100, 1100 }, { 0, 65535 }, { 7, 0x80000000u },
                                   { 0, 0xFFFFFFFFu }, { 0xFFFFFF00u, 0xFFFFFFFFu } };
    for (auto& r : ranges)
        for (uint32_t v = 0; v <= 65535; v += 257) {
            uint64_t span = r[1] - r[0];
            uint32_t control = ControlFromVolume(v, r[0], r[1]);
            ASSERT_EQ(r[0] + (v * span + 32767) / 65535, control) << v << " of " << r[1];
            ASSERT_EQ(control == r[1] ? 65535 : (control - r[0]) * 65535ull / span,
                      VolumeFromControl(control, r[0], r[1]));
        }
}

TEST(VolumeCommand, EndpointLevelsMapOntoTheMixerScale)
{
    for (uint32_t v = 0; v <= 65535; ++v)
        ASSERT_EQ(v, VolumeFromLevel(LevelFromVolume(v)));
    EXPECT_EQ(0u, VolumeFromLevel(-0.5f));
    EXPECT_EQ(0u, VolumeFromLevel(NAN));
    EXPECT_EQ(65535u, VolumeFromLevel(1.5f));
    EXPECT_EQ(32768u, VolumeFromLevel(0.5f));
    EXPECT_EQ(1.0f, LevelFromVolume(65535));
    EXPECT_EQ(0.0f, LevelFromVolume(0));
}

TEST(VolumeCommand, RealEndpointOpensReadsAndCloses)
{
    EndpointVolume* e = RealPlatform.openEndpointVolume();
    ASSERT_TRUE(e != NULL);
    float level = -1;
    BOOL mute = 2;
    EXPECT_EQ(S_OK, RealPlatform.getEndpointLevel(e, &level));
    EXPECT_EQ(S_OK, RealPlatform.getEndpointMute(e, &mute));
    RealPlatform.closeEndpointVolume(e);
    EXPECT_TRUE(level >= 0.0f && level <= 1.0f);
    EXPECT_TRUE(mute == FALSE || mute == TRUE);
}
