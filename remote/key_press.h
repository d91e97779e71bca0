// Key presses from the card maker's reminder process: feedback for every
// code, and the actions of presses.
#pragma once
#include <windows.h>

// Sent by the reminder with the remote key code in wParam.
enum { RemoteKeyMessage = 0x0A00 };

// Window procedure of the impersonation class. Runs on the receiver thread.
LRESULT CALLBACK KeyPressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// For the receiver's wait: ms until the key path has work without a code
// (the long moment or the end of a "Long press" key's press, the feedback
// owed for the codes handled), INFINITE when it has none.
DWORD KeyWorkDueInMs();
// That work: runs what the press calls for by now, and the feedback that
// is due.
void DoKeyWork();
