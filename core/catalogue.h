// The 66 action types a slot can hold, with their display names. A list row
// in the Configuration dialog equals the type.
#pragma once

enum { ActionTypeCount = 66, ActionNameWidth = 32 };

// The action types, in catalogue order: the number a slot stores.
enum ActionType {
    ActionNone = 0,
    ActionWinampPrevious = 1,
    ActionWinampPlay = 2,
    ActionWinampStop = 3,
    ActionWinampPause = 4,
    ActionWinampNext = 5,
    ActionWinampVolUp = 6,
    ActionWinampVolDown = 7,
    ActionWinampForward = 8,
    ActionWinampRewind = 9,
    ActionWinampShuffle = 10,
    ActionWinampRepeat = 11,
    ActionWinampClose = 12,
    ActionMediaPlayerPlayPause = 13,
    ActionMediaPlayerStop = 14,
    ActionMediaPlayerVolUp = 15,
    ActionMediaPlayerVolDown = 16,
    ActionMediaPlayerVolMute = 17,
    ActionMediaPlayerFullscreen = 18,
    ActionMediaPlayerClose = 19,
    ActionVolumeUp = 20,
    ActionVolumeDown = 21,
    ActionMousePointerUp = 22,
    ActionMousePointerDown = 23,
    ActionMousePointerLeft = 24,
    ActionMousePointerRight = 25,
    ActionMouseLeftClick = 26,
    ActionMouseRightClick = 27,
    ActionSystemShutdown = 28,
    ActionSystemReboot = 29,
    ActionLock = 30,
    ActionExecuteProgram = 31,
    ActionSendMessage = 32,
    ActionMonitorOff = 33,
    ActionMonitorOn = 34,
    ActionMediaPlayerRewind = 35,
    ActionMediaPlayerForward = 36,
    ActionIuVcrClose = 37,
    ActionIuVcrNextProgram = 38,
    ActionIuVcrPrevProgram = 39,
    ActionIuVcrPreview = 40,
    ActionIuVcrStartCapture = 41,
    ActionIuVcrStopCapture = 42,
    ActionIuVcrMute = 43,
    ActionIuVcrFullscreen = 44,
    ActionIuVcrSnapshot = 45,
    ActionIuVcrPause = 46,
    ActionIuVcrKey0 = 47,
    ActionIuVcrKey1 = 48,
    ActionIuVcrKey2 = 49,
    ActionIuVcrKey3 = 50,
    ActionIuVcrKey4 = 51,
    ActionIuVcrKey5 = 52,
    ActionIuVcrKey6 = 53,
    ActionIuVcrKey7 = 54,
    ActionIuVcrKey8 = 55,
    ActionIuVcrKey9 = 56,
    ActionIuVcrVolUp = 57,
    ActionIuVcrVolDown = 58,
    ActionIuVcrRecall = 59,
    ActionVirtualKey = 60,
    ActionMouseDoubleClick = 61,
    ActionMediaPlayerPrevious = 62,
    ActionMediaPlayerNext = 63,
    ActionVolumeMute = 64,
    ActionDisplayTime = 65,
};

// What a slot does at the repeats of a held key whose choice is "Automatic":
// only what makes sense again and again (a volume step, a pointer move, a
// seek) runs at every repeat; everything else runs once per press.
enum HeldBehaviour {
    HeldOnce,
    HeldRepeats,
    HeldRepeatsIfNavigationKey,    // "Virtual Key": an arrow, a page or volume key, no modifier
};

struct ActionCatalogueRow {
    char name[ActionNameWidth];
    HeldBehaviour held;
};

extern const ActionCatalogueRow ActionCatalogue[ActionTypeCount];
