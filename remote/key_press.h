// Key presses from the card maker's reminder process: feedback, then actions.
#pragma once
#include <windows.h>

// Sent by the reminder with the remote key code in wParam.
enum { RemoteKeyMessage = 0x0A00 };

// Window procedure of the impersonation class. Runs on the receiver thread.
LRESULT CALLBACK KeyPressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
