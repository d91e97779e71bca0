// Synchronous sends to other programs' windows (players, the maker's
// reminder), bounded in time so that a peer that stops answering cannot
// freeze the thread that runs every key press.
#pragma once
#include <windows.h>

enum { PeerSendTimeoutMs = 1000 };

// Sends message and waits for the answer at most PeerSendTimeoutMs, or not
// at all when the peer is already known to hang. Returns whether an answer
// came; then *reply (when not NULL) holds it, otherwise *reply is 0.
bool SendToPeer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* reply);
