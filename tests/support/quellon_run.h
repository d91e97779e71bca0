// Starting the real quellon.exe in a program folder of its own, the way a
// user does, and ending it the way the tray menu does.
#pragma once
#include <windows.h>
#include <string>

struct FaultWatch;

struct QuellonRun {
    std::string dir;     // program folder, ending in a backslash
    PROCESS_INFORMATION pi;
    HWND config;         // the Configuration dialog
    DWORD mainThread;    // the thread that runs the main loop
    FaultWatch* faults = NULL;    // the debugger loop, when started under one
};

// Copies quellon.exe into dir (a fresh temp folder when empty) unless one is
// there, and starts it.
// Waits until its Configuration dialog exists. Fails the test on time-out.
bool StartQuellon(QuellonRun* run, const std::string& dir = "");
// The same, under a debugger loop that counts first-chance faults.
bool StartQuellonUnderDebugger(QuellonRun* run, const std::string& dir = "");
// After QuitQuellon (or a kill): the number of fatal first-chance exceptions
// the debugger saw, with their codes and addresses in report.
int QuellonFaults(QuellonRun* run, std::string* report = NULL);

// Ends the main loop with WM_QUIT; returns the exit code (-1 on time-out).
long QuitQuellon(QuellonRun* run);

// Kills it if still running and removes its folder.
void CleanUpQuellon(QuellonRun* run);

// A top-level window of that class and title belonging to process pid, or NULL.
HWND FindWindowOfProcess(DWORD pid, const char* windowClass, const char* title);

// The run's "Trick Wnd", or NULL. Only this run's window counts, so that a
// copy left running elsewhere cannot stand in for it.
HWND FindTrickWindow(const QuellonRun& run);
// Waits until the run's "Trick Wnd" exists (present) or is gone; returns
// the window (or a non-NULL marker when gone), NULL on time-out.
HWND WaitForTrick(const QuellonRun& run, bool present = true, DWORD ms = 5000);
// Text of a control of the Configuration dialog.
std::string ConfigControlText(const QuellonRun& run, int id);
// "Pressed Key" (UTF-8) once it shows expected (the key path posts each key to the
// dialog's thread), or what it shows after two seconds.
std::string PressedKeyText(const QuellonRun& run, const std::string& expected);
