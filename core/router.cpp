// Message router: a list of routes in registration order, never shrinking.
#include "core/router.h"

#include <stdlib.h>

struct MessageRoute {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    RouteHandler handler;
    MessageRoute* next;
};

static MessageRoute* RouteHead;
static MessageRoute* RouteTail;

static LPARAM CurrentMsgLParam;

int AddRoute(HWND window, UINT message, WPARAM wParam, LPARAM lParam, RouteHandler handler)
{
    MessageRoute* route = (MessageRoute*)calloc(1, sizeof(MessageRoute));
    if (!route)
        return 0;    // out of memory at start-up: the handler is simply not wired
    route->window = window;
    route->message = message;
    route->wParam = wParam;
    route->lParam = lParam;
    route->handler = handler;
    if (RouteTail)
        RouteTail->next = route;
    else
        RouteHead = route;
    RouteTail = route;
    return 0;
}

int AddCommandRoute(HWND window, int controlId, RouteHandler handler)
{
    return AddRoute(window, WM_COMMAND, (WPARAM)(controlId & 0xFFFF), 0, handler);
}

static int Matches(const MessageRoute* r, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Windows uses the low four bits of a system command itself: the
    // double click on a caption icon closes with SC_CLOSE | 3.
    if (message == WM_SYSCOMMAND)
        wParam &= 0xFFF0;
    return (!r->window || r->window == window) && (!r->message || r->message == message) &&
           (!r->wParam || r->wParam == wParam) && (!r->lParam || r->lParam == lParam);
}

INT_PTR CALLBACK RouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CurrentMsgLParam = lParam;
    INT_PTR result = 0;
    for (MessageRoute* r = RouteHead; r; r = r->next)
        if (r->handler && Matches(r, window, message, wParam, lParam))
            result = r->handler();
    return result;
}

LPARAM CurrentLParam() { return CurrentMsgLParam; }

int IsRoutedDialogMessage(MSG* msg)
{
    for (MessageRoute* r = RouteHead; r; r = r->next)
        if (IsDialogMessageA(r->window, msg))
            return 1;
    return 0;
}
