// Programs, folders and files for tests that drive real executables.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Directory of the running test executable, ending in a backslash.
std::string TestBinDir();
// Directory holding quellon.exe, ending in a backslash.
std::string ProductDir();

// Paths are UTF-8 here, so that a test can name a folder outside the ANSI
// code page; the file calls below take them so.
std::wstring Utf16(const std::string& utf8);

// A fresh empty directory under the temp directory, ending in a backslash;
// tag is part of its name.
std::string MakeTempDir(const char* tag);
// Removes a directory tree made by MakeTempDir.
void RemoveTree(const std::string& dir);

bool ReadWholeFile(const std::string& path, std::string* out);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// The file's non-blank lines, without line ends. Wine rewrites a whole INI
// file on every write, so INI content is compared by lines, not by bytes.
std::vector<std::string> NonBlankLines(const std::string& path);
long FileSize(const std::string& path);
// Waits until the file holds text (a stand-in's log a message); false on time-out.
bool WaitForFileText(const std::string& path, const std::string& text, DWORD ms);

// Starts a program; false when it could not be started.
bool StartProgram(const std::string& commandLine, const std::string& dir, PROCESS_INFORMATION* pi);
// Waits for the process; returns its exit code, or -1 on time-out.
long WaitProgram(PROCESS_INFORMATION* pi, DWORD timeoutMs);
void KillProgram(PROCESS_INFORMATION* pi);
// Makes a process started elsewhere die with the test too.
void AttachToTestJob(HANDLE process);

// Finds a top-level window of this process id by class and title; waits up to ms.
HWND WaitForWindow(const char* windowClass, const char* title, DWORD ms);
// Waits until no window of that class and title exists.
bool WaitForNoWindow(const char* windowClass, const char* title, DWORD ms);

// Text of a window or control, read with WM_GETTEXT so that it also works
// across processes.
std::string WindowText(HWND window);
