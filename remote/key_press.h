// Key presses from the card maker's reminder process: feedback for every
// code, and the actions of presses.
#pragma once
#include <windows.h>

// Sent by the reminder with the remote key code in wParam.
enum { RemoteKeyMessage = 0x0A00 };

// Window procedure of the impersonation class. Runs on the receiver thread.
LRESULT CALLBACK KeyPressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// For the receiver's wait: ms until a press needs a look without a code
// (the long moment or the end of a "Long press" key's press), INFINITE
// when none does.
DWORD PressDueInMs();
// That look: runs what the press calls for by now.
void LookAtPress();
