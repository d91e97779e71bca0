// Action catalogue: names in type order, and what each does while its key
// is held.
#include "core/catalogue.h"

const ActionCatalogueRow ActionCatalogue[ActionTypeCount] = {
    { "None", HeldOnce }, // 0
    { "Winamp Previous", HeldOnce }, // 1
    { "Winamp Play", HeldOnce }, // 2
    { "Winamp Stop", HeldOnce }, // 3
    { "Winamp Pause", HeldOnce }, // 4
    { "Winamp Next", HeldOnce }, // 5
    { "Winamp Vol Up", HeldRepeats }, // 6
    { "Winamp Vol Down", HeldRepeats }, // 7
    { "Winamp Forward", HeldRepeats }, // 8
    { "Winamp Rewind", HeldRepeats }, // 9
    { "Winamp Shuffle", HeldOnce }, // 10
    { "Winamp Repeat", HeldOnce }, // 11
    { "Winamp Close", HeldOnce }, // 12
    { "Media Player Play/Pause", HeldOnce }, // 13
    { "Media Player Stop", HeldOnce }, // 14
    { "Media Player Vol Up", HeldRepeats }, // 15
    { "Media Player Vol Down", HeldRepeats }, // 16
    { "Media Player Vol Mute", HeldOnce }, // 17
    { "Media Player Fullscreen", HeldOnce }, // 18
    { "Media Player Close", HeldOnce }, // 19
    { "Volume Up", HeldRepeats }, // 20
    { "Volume Down", HeldRepeats }, // 21
    { "Mouse Pointer Up", HeldRepeats }, // 22
    { "Mouse Pointer Down", HeldRepeats }, // 23
    { "Mouse Pointer Left", HeldRepeats }, // 24
    { "Mouse Pointer Right", HeldRepeats }, // 25
    { "Mouse Left Click", HeldOnce }, // 26
    { "Mouse Right Click", HeldOnce }, // 27
    { "System Shutdown", HeldOnce }, // 28
    { "System Reboot", HeldOnce }, // 29
    { "Lock (WinNT only)", HeldOnce }, // 30
    { "Execute Program", HeldOnce }, // 31
    { "Send Message", HeldOnce }, // 32
    { "Monitor off", HeldOnce }, // 33
    { "Monitor on", HeldOnce }, // 34
    { "Media Player Rewind", HeldRepeats }, // 35
    { "Media Player Forward", HeldRepeats }, // 36
    { "iuVCR Close", HeldOnce }, // 37
    { "iuVCR Next Program", HeldOnce }, // 38
    { "iuVCR Prev Program", HeldOnce }, // 39
    { "iuVCR Preview", HeldOnce }, // 40
    { "iuVCR Start Capture", HeldOnce }, // 41
    { "iuVCR Stop Capture", HeldOnce }, // 42
    { "iuVCR Mute", HeldOnce }, // 43
    { "iuVCR Fullscreen", HeldOnce }, // 44
    { "iuVCR Snapshot", HeldOnce }, // 45
    { "iuVCR Pause", HeldOnce }, // 46
    { "iuVCR Key0", HeldOnce }, // 47
    { "iuVCR Key1", HeldOnce }, // 48
    { "iuVCR Key2", HeldOnce }, // 49
    { "iuVCR Key3", HeldOnce }, // 50
    { "iuVCR Key4", HeldOnce }, // 51
    { "iuVCR Key5", HeldOnce }, // 52
    { "iuVCR Key6", HeldOnce }, // 53
    { "iuVCR Key7", HeldOnce }, // 54
    { "iuVCR Key8", HeldOnce }, // 55
    { "iuVCR Key9", HeldOnce }, // 56
    { "iuVCR Vol Up", HeldRepeats }, // 57
    { "iuVCR Vol Down", HeldRepeats }, // 58
    { "iuVCR Recall", HeldOnce }, // 59
    { "Virtual Key", HeldRepeatsIfNavigationKey }, // 60
    { "Mouse Double Click", HeldOnce }, // 61
    { "Media Player Previous", HeldOnce }, // 62
    { "Media Player Next", HeldOnce }, // 63
    { "Volume Mute", HeldOnce }, // 64
    { "Display Time", HeldOnce }, // 65
};
