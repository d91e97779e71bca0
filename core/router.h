// The message router: dialog and tray handlers registered with a filter, and
// one dialog procedure that runs every handler whose filter matches.
#pragma once
#include <windows.h>

typedef int (*RouteHandler)();

// 0 in window, message, wParam or lParam means any value. handler may be NULL.
// A WM_SYSCOMMAND route matches by the command's top twelve bits.
int AddRoute(HWND window, UINT message, WPARAM wParam, LPARAM lParam, RouteHandler handler);

// WM_COMMAND with exactly this id in wParam: clicks and menu commands, no
// other notifications.
int AddCommandRoute(HWND window, int controlId, RouteHandler handler);

// The dialog procedure of both dialogs. Returns the last handler's result, 0 if none ran.
INT_PTR CALLBACK RouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The lParam of the message being routed, for handlers that need it.
LPARAM CurrentLParam();

// Offers msg to the dialog manager of every routed window; 1 when one took it.
int IsRoutedDialogMessage(MSG* msg);
