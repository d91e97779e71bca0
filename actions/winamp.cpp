// Winamp commands: sent to the running Winamp's main window, each followed by
// its status word in the OSD.
#include "actions/winamp.h"

#include <windows.h>

#include "core/feedback.h"
#include "platform/peer_send.h"

static const char WinampClass[] = "Winamp v1.x";

enum { WinampCloseCommand = 16 };

// Status words of the commands that have one; every other command shows a
// single space (the volume commands light the status slot with a blank).
struct WinampWord {
    int32_t command;
    const char* word;
};

static const WinampWord WinampWords[] = {
    { 40044, "PREVIOUS" },
    { 40045, "PLAY" },
    { 40046, "PAUSE" },
    { 40047, "STOP" },
    { 40048, "NEXT" },
    { 40060, "FORWARD" },
    { 40061, "REWIND" },
};

// The two toggles: the WM_USER lParam that queries the state and the one that
// sets it, and the words for the new state.
struct WinampToggle {
    int32_t command;
    LPARAM query;
    LPARAM set;
    const char* onWord;
    const char* offWord;
};

static const WinampToggle WinampToggles[] = {
    { 252, 250, 252, "SHUFFLE ON", "SHUFFLE OFF" },
    { 253, 251, 253, "REPEAT ON", "REPEAT OFF" },
};

static void Toggle(HWND winamp, const WinampToggle& t)
{
    LRESULT state = 0;
    // Without an answer the state is unknown: no word, and nothing is set.
    if (!SendToPeer(winamp, WM_USER, 0, t.query, &state))
        return;
    int on = state == 0;    // any nonzero reply counts as on
    ShowOsdText(OsdSlotStatus, on ? t.onWord : t.offWord);
    SendToPeer(winamp, WM_USER, (WPARAM)on, t.set, NULL);
}

void WinampCommand(int32_t command)
{
    HWND winamp = FindWindowA(WinampClass, NULL);
    if (!winamp)
        return;
    if (command == WinampCloseCommand) {
        SendToPeer(winamp, WM_CLOSE, 0, 0, NULL);
        return;
    }
    for (const WinampToggle& t : WinampToggles)
        if (t.command == command) {
            Toggle(winamp, t);
            return;
        }
    // The word confirms that Winamp took the command: a Winamp that does not
    // answer shows none.
    if (!SendToPeer(winamp, WM_COMMAND, (WPARAM)(uint32_t)command, 0, NULL))
        return;
    const char* word = " ";
    for (const WinampWord& w : WinampWords)
        if (w.command == command)
            word = w.word;
    ShowOsdText(OsdSlotStatus, word);
}
