// Popup menus are "#32768" windows; MN_GETHMENU gives their menu, which only
// this process can read.
#include "tests/support/menu_driver.h"

struct MenuDriver {
    char mnemonic;
    int position;    // -1: by mnemonic
    volatile LONG stop;
    bool seen;
    std::vector<MenuItemSeen> items;
    HANDLE thread;
};

static void ReadItems(HMENU menu, std::vector<MenuItemSeen>* items)
{
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        char text[64] = "";
        MENUITEMINFOA info;
        ZeroMemory(&info, sizeof info);
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, (UINT)i, TRUE, &info);
        items->push_back(MenuItemSeen{ text, info.wID, info.fState });
    }
}

static DWORD WINAPI DriverThread(LPVOID arg)
{
    MenuDriver* d = (MenuDriver*)arg;
    while (!d->stop) {
        HWND menuWindow = FindWindowA("#32768", NULL);
        if (menuWindow && IsWindowVisible(menuWindow)) {
            HMENU menu = (HMENU)SendMessageA(menuWindow, MN_GETHMENU, 0, 0);
            if (menu) {
                d->seen = true;
                ReadItems(menu, &d->items);
                if (d->position >= 0) {
                    for (int i = 0; i <= d->position; ++i)
                        PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
                    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
                } else if (d->mnemonic)
                    PostMessageA(menuWindow, WM_CHAR, (WPARAM)d->mnemonic, 0);
                else
                    PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
                return 0;
            }
        }
        Sleep(10);
    }
    return 0;
}

MenuDriver* DriveNextMenu(char mnemonic)
{
    MenuDriver* d = new MenuDriver();
    d->mnemonic = mnemonic;
    d->position = -1;
    d->thread = CreateThread(NULL, 0, DriverThread, d, 0, NULL);
    return d;
}

MenuDriver* DriveNextMenuToPosition(int position)
{
    MenuDriver* d = new MenuDriver();
    d->position = position;
    d->thread = CreateThread(NULL, 0, DriverThread, d, 0, NULL);
    return d;
}

bool FinishMenu(MenuDriver* d, std::vector<MenuItemSeen>* items)
{
    InterlockedExchange(&d->stop, 1);
    WaitForSingleObject(d->thread, 10000);
    CloseHandle(d->thread);
    bool seen = d->seen;
    if (items)
        *items = d->items;
    delete d;
    return seen;
}
