// Driving a popup menu of this process from a watcher thread: reading its
// items while it is open, then choosing one by its mnemonic or dismissing it.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct MenuItemSeen {
    std::string text;
    UINT id;
    UINT state;
};

struct MenuDriver;

// Starts watching. mnemonic 0 dismisses the menu with Escape.
MenuDriver* DriveNextMenu(char mnemonic);
// Starts watching; chooses the item at position with the arrow keys and Enter.
MenuDriver* DriveNextMenuToPosition(int position);
// Stops; returns whether a menu was seen, and its items.
bool FinishMenu(MenuDriver* d, std::vector<MenuItemSeen>* items);
