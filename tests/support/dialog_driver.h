// Driving another process's dialogs the way a user's clicks, selections and
// typing do, answering the modal boxes they open, and real mouse clicks.
#pragma once
#include <windows.h>
#include <string>

// A button or check box clicked (BM_CLICK); returns once its handler ran.
void ClickControl(HWND dialog, int id);
// A row chosen in a list box or drop-down list, with the notification a user's choice sends.
void ChooseListRow(HWND dialog, int id, int row);
void ChooseComboRow(HWND dialog, int id, int row);
// A text typed into an edit.
void TypeText(HWND dialog, int id, const std::string& text);
// A trackbar moved to position, notified with code (TB_THUMBTRACK, TB_ENDTRACK, ...).
void MoveTrackbar(HWND dialog, int id, int position, int code);
// Posts a key to the dialog's main loop, as the keyboard would (Enter, Escape).
void PressDialogKey(HWND dialog, UINT vk);

bool IsControlEnabled(HWND dialog, int id);
bool IsControlChecked(HWND dialog, int id);
// Text of a drop-down list's selected row, "" when none is selected.
std::string ComboSelection(HWND dialog, int id);
// Text of a control of a window of another process.
std::string ControlText(HWND window, int id);

// Answers each modal dialog with this caption (any process): types up to
// three texts into its controls, then sends button as a command.
struct DialogAnswer {
    const char* caption;
    int button;
    int readId;           // control whose text is kept as found, 0 for none
    int editIds[3];       // 0 ends the list
    const char* texts[3];
};
struct DialogWatch;
DialogWatch* WatchDialogs(const DialogAnswer& answer);
// Waits until count dialogs have been answered; false on time-out.
bool WaitForAnswers(DialogWatch* w, int count, DWORD ms);
// Stops watching; returns how many were answered and the last text read.
int StopWatchingDialogs(DialogWatch* w, std::string* readText = NULL);

// Real input: the pointer moved to a screen point (and settled there), a
// click where it is, Shift pressed or released.
void PointAt(int x, int y);
void ClickMouse(bool right = false);
void HoldShift(bool down);
