// Action catalogue: names in type order.
#include "core/catalogue.h"

const char ActionCatalogue[ActionTypeCount][ActionNameWidth] = {
    "None", // 0
    "Winamp Previous", // 1
    "Winamp Play", // 2
    "Winamp Stop", // 3
    "Winamp Pause", // 4
    "Winamp Next", // 5
    "Winamp Vol Up", // 6
    "Winamp Vol Down", // 7
    "Winamp Forward", // 8
    "Winamp Rewind", // 9
    "Winamp Shuffle", // 10
    "Winamp Repeat", // 11
    "Winamp Close", // 12
    "Media Player Play/Pause", // 13
    "Media Player Stop", // 14
    "Media Player Vol Up", // 15
    "Media Player Vol Down", // 16
    "Media Player Vol Mute", // 17
    "Media Player Fullscreen", // 18
    "Media Player Close", // 19
    "Volume Up", // 20
    "Volume Down", // 21
    "Mouse Pointer Up", // 22
    "Mouse Pointer Down", // 23
    "Mouse Pointer Left", // 24
    "Mouse Pointer Right", // 25
    "Mouse Left Click", // 26
    "Mouse Right Click", // 27
    "System Shutdown", // 28
    "System Reboot", // 29
    "Lock (WinNT only)", // 30
    "Execute Program", // 31
    "Send Message", // 32
    "Monitor off", // 33
    "Monitor on", // 34
    "Media Player Rewind", // 35
    "Media Player Forward", // 36
    "iuVCR Close", // 37
    "iuVCR Next Program", // 38
    "iuVCR Prev Program", // 39
    "iuVCR Preview", // 40
    "iuVCR Start Capture", // 41
    "iuVCR Stop Capture", // 42
    "iuVCR Mute", // 43
    "iuVCR Fullscreen", // 44
    "iuVCR Snapshot", // 45
    "iuVCR Pause", // 46
    "iuVCR Key0", // 47
    "iuVCR Key1", // 48
    "iuVCR Key2", // 49
    "iuVCR Key3", // 50
    "iuVCR Key4", // 51
    "iuVCR Key5", // 52
    "iuVCR Key6", // 53
    "iuVCR Key7", // 54
    "iuVCR Key8", // 55
    "iuVCR Key9", // 56
    "iuVCR Vol Up", // 57
    "iuVCR Vol Down", // 58
    "iuVCR Recall", // 59
    "Virtual Key", // 60
    "Mouse Double Click", // 61
    "Media Player Previous", // 62
    "Media Player Next", // 63
    "Volume Mute", // 64
    "Display Time", // 65
};
