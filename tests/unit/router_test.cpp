// The message router: filters in which 0 means any value, every matching
// handler in registration order, the last result wins.
#include <gtest/gtest.h>

#include <string>

#include "core/router.h"

namespace {

std::string Calls;
LPARAM SeenLParam;

int HandlerA() { Calls += "A"; return 1; }
int HandlerB() { Calls += "B"; return 7; }
int HandlerC() { Calls += "C"; SeenLParam = CurrentLParam(); return 1; }

HWND const W1 = (HWND)(INT_PTR)0x1010;
HWND const W2 = (HWND)(INT_PTR)0x2020;

INT_PTR Route(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    Calls.clear();
    return RouteMessage(w, m, wp, lp);
}

}  // namespace

// The routes of one process stay registered, so the cases build on each other
// in one test, as the dialogs' routes do at start-up.
TEST(Router, MatchingOrderAndResults)
{
    AddRoute(W1, WM_APP, 5, 0, HandlerA);
    AddRoute(W1, WM_APP, 5, 0, HandlerB);
    EXPECT_EQ(7, Route(W1, WM_APP, 5, 99));
    EXPECT_EQ("AB", Calls);

    // A route without a handler matches but calls nothing and keeps the result.
    AddRoute(W1, WM_APP, 5, 0, NULL);
    EXPECT_EQ(7, Route(W1, WM_APP, 5, 0));
    EXPECT_EQ("AB", Calls);

    // No match: 0, so that the dialog manager does its default processing.
    EXPECT_EQ(0, Route(W2, WM_APP, 5, 0));
    EXPECT_EQ(0, Route(W1, WM_APP, 6, 0));
    EXPECT_EQ(0, Route(W1, WM_APP + 1, 5, 0));
    EXPECT_EQ("", Calls);

    // Window 0 and message 0 match anything; lParam filters exactly.
    AddRoute(NULL, 0, 0, 0x4444, HandlerC);
    EXPECT_EQ(1, Route(W2, WM_HSCROLL, 3, 0x4444));
    EXPECT_EQ("C", Calls);
    EXPECT_EQ(0x4444, SeenLParam);
    EXPECT_EQ(1, Route(W1, WM_APP, 5, 0x4444));
    EXPECT_EQ("ABC", Calls);
    EXPECT_EQ(0, Route(W2, WM_HSCROLL, 3, 0x4445));
}

TEST(Router, CommandRouteMatchesClicksOnly)
{
    AddCommandRoute(W1, 1000, HandlerA);
    AddRoute(W1, WM_COMMAND, (LBN_SELCHANGE << 16) | 1000, 0, HandlerB);
    EXPECT_EQ(1, Route(W1, WM_COMMAND, 1000, 0));
    EXPECT_EQ("A", Calls);
    EXPECT_EQ(7, Route(W1, WM_COMMAND, 66536, 0));
    EXPECT_EQ("B", Calls);
    // The id is cut to 16 bits, the notification code must be 0.
    AddCommandRoute(W2, 0x10000 + 3, HandlerC);
    EXPECT_EQ(1, Route(W2, WM_COMMAND, 3, 0));
    EXPECT_EQ("C", Calls);
}

TEST(Router, CurrentMessageIsTheOneBeingRouted)
{
    AddRoute(W2, WM_USER, 0, 0, HandlerC);
    Route(W2, WM_USER, 0x55, 0x66);
    EXPECT_EQ((LPARAM)0x66, CurrentLParam());
}

TEST(Router, DialogMessagesOfRoutedWindowsAreTaken)
{
    HINSTANCE self = GetModuleHandleA(NULL);
    HWND dialog = CreateWindowExA(0, MAKEINTATOM(0x8002), "Routed", WS_POPUP, 0, 0, 100, 100, NULL,
                                  NULL, self, NULL);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 20,
                                dialog, (HMENU)10, self, NULL);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, self, NULL);
    MSG msg;
    ZeroMemory(&msg, sizeof msg);
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_TAB;
    msg.hwnd = edit;
    EXPECT_EQ(0, IsRoutedDialogMessage(&msg));    // nothing routed yet
    AddRoute(NULL, WM_APP, 0, 0, HandlerA);        // window 0 takes nothing
    AddRoute(dialog, WM_COMMAND, 1, 0, HandlerA);
    EXPECT_EQ(1, IsRoutedDialogMessage(&msg));
    msg.hwnd = other;
    EXPECT_EQ(0, IsRoutedDialogMessage(&msg));
    DestroyWindow(other);
    DestroyWindow(dialog);
}
