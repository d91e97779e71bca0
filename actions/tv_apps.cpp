// iuVCR and ChrisTV commands: iuVCR by its posted command ids; when it does
// not run, ChrisTV by its keyboard shortcuts.
#include "actions/tv_apps.h"

#include <windows.h>

#include "actions/keys.h"

static const char IuVcrClass[] = "TfVCR";
static const char ChrisTvClass[] = "TChrisTV_Main_Form";

enum {
    NoIuVcrCommand = 0,    // iuVCR has no command for the type: nothing is posted
    NoChrisTvKey = 0,      // ChrisTV has no shortcut: nothing is typed, nothing activated
    IuVcrFullscreenType = 44,
};

struct TvAppRow {
    int32_t type;
    int32_t iuVcrCommand;
    uint8_t chrisTvKey;
    uint8_t chrisTvFlags;
};

static const TvAppRow TvAppCommands[] = {
    { 37, 50000, VK_F4, KeyAlt },           // "iuVCR Close"
    { 38, 50002, VK_UP, 0 },                // "iuVCR Next Program"
    { 39, 50003, VK_DOWN, 0 },              // "iuVCR Prev Program"
    { 40, 50004, NoChrisTvKey, 0 },         // "iuVCR Preview"
    { 41, 50005, 'C', KeyCtrl },            // "iuVCR Start Capture"
    { 42, 50006, 'C', KeyCtrl },            // "iuVCR Stop Capture"
    { 43, 50007, 'M', 0 },                  // "iuVCR Mute"
    { 44, 50010, 'F', KeyCtrl },            // "iuVCR Fullscreen"
    { 45, 50011, 'C', KeyShift },           // "iuVCR Snapshot"
    { 46, 50012, NoChrisTvKey, 0 },         // "iuVCR Pause"
    { 47, 50020, '0', 0 },                  // "iuVCR Key0"
    { 48, 50021, '1', 0 },
    { 49, 50022, '2', 0 },
    { 50, 50023, '3', 0 },
    { 51, 50024, '4', 0 },
    { 52, 50025, '5', 0 },
    { 53, 50026, '6', 0 },
    { 54, 50027, '7', 0 },
    { 55, 50028, '8', 0 },
    { 56, 50029, '9', 0 },                  // "iuVCR Key9"
    // iuVCR has no known command for these three. A WM_COMMAND with id 0
    // names no command, and whatever iuVCR made of it would be a guess: while
    // iuVCR runs they do nothing, as the press of an unbound key does.
    { 57, NoIuVcrCommand, VK_RIGHT, 0 },    // "iuVCR Vol Up"
    { 58, NoIuVcrCommand, VK_LEFT, 0 },     // "iuVCR Vol Down"
    { 59, NoIuVcrCommand, 'L', KeyCtrl },   // "iuVCR Recall"
};

static const TvAppRow* FindTvAppRow(int32_t type)
{
    for (const TvAppRow& r : TvAppCommands)
        if (r.type == type)
            return &r;
    return NULL;
}

void TvAppCommand(int32_t type)
{
    const TvAppRow* row = FindTvAppRow(type);
    if (!row)
        return;
    HWND iuVcr = FindWindowA(IuVcrClass, NULL);
    if (IsWindow(iuVcr)) {
        // While iuVCR runs, ChrisTV is never tried.
        if (row->iuVcrCommand == NoIuVcrCommand)
            return;
        if (type == IuVcrFullscreenType)
            SetForegroundWindow(iuVcr);
        PostMessageA(iuVcr, WM_COMMAND, (WPARAM)row->iuVcrCommand, 0);
        return;
    }
    HWND chrisTv = FindWindowA(ChrisTvClass, NULL);
    if (!IsWindow(chrisTv) || row->chrisTvKey == NoChrisTvKey)
        return;
    SendKeyCombo(chrisTv, row->chrisTvKey, row->chrisTvFlags);
}
