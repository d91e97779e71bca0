// Stand-in windows for the card maker's software and the controlled
// programs: a window of a chosen class and title, on its own thread, that
// records every message it receives and answers chosen ones.
#pragma once
#include <windows.h>

enum { StandInMaxMessages = 16384, StandInMaxReplies = 16 };

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct StandIn;

// windowClass NULL makes a window of the system dialog class (atom 0x8002).
// Returns once the window exists.
StandIn* CreateStandIn(const char* windowClass, const char* title);

// Makes the window answer message with reply (default: DefWindowProc).
void SetStandInReply(StandIn* s, UINT message, LRESULT reply);

HWND StandInWindow(StandIn* s);

// Messages of that number received so far.
int CountStandInMessages(StandIn* s, UINT message);

// The nth (0-based) message of that number; false when there is none.
bool GetStandInMessage(StandIn* s, UINT message, int nth, RecordedMessage* out);

// All messages received so far, of any number, and the nth of them.
int CountAllStandInMessages(StandIn* s);
bool GetStandInMessageAt(StandIn* s, int index, RecordedMessage* out);

// Waits until count messages of that number have arrived; false on time-out.
bool WaitForStandInMessages(StandIn* s, UINT message, int count, DWORD timeoutMs);

// Holds the stand-in's thread still inside its window procedure, as a hung
// program's is, until ReleaseStandIn: it answers nothing meanwhile. Unlike a
// suspended thread it holds no lock of this process while it waits.
void HangStandIn(StandIn* s);
void ReleaseStandIn(StandIn* s);

// Destroys the window and ends its thread.
void DestroyStandIn(StandIn* s);

// Runs the calling thread's message loop for about ms milliseconds.
void PumpMessagesFor(DWORD ms);

// Polls cond (pumping this thread's messages) until it holds or ms pass.
bool WaitUntil(bool (*cond)(void*), void* arg, DWORD ms);
