// Registry values of the card maker's software, set up by tests in the Wine
// prefix and removed again afterwards.
#pragma once
#include <windows.h>
#include <string>

// Sets HKLM\Software\Leadtek\Video\<app>\Path in the view a 32-bit installer writes.
void SetVendorPath(const char* app, const std::string& dir);
// Sets a "Path" value of another type or raw bytes (no terminator added).
void SetVendorPathRaw(const char* app, DWORD type, const void* data, DWORD size);
// Sets HKCU\Software\Leadtek\Video\WFWitch\Previous.
void SetPreviousSelector(DWORD value);
// Removes everything the tests may have set.
void ClearVendorRegistry();
