// The few Win32 types and calls that the profile store and the dispatcher
// use, for a native Linux build of them under a fuzzing engine. Files live
// in memory (win32_shim.cpp); no window is ever found.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

#define WINAPI
#define CALLBACK
#define MAX_PATH 260

typedef int BOOL;
typedef unsigned long DWORD;
typedef unsigned int UINT;
typedef void* HANDLE;
typedef struct ShimWindow* HWND;
typedef struct ShimIcon* HICON;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef unsigned short WORD;
typedef wchar_t WCHAR;

typedef struct _SYSTEMTIME {
    WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
} SYSTEMTIME;

#define TRUE 1
#define FALSE 0
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define GENERIC_READ 0x80000000ul
#define GENERIC_WRITE 0x40000000ul
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define FILE_ATTRIBUTE_READONLY 0x01
#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_NORMAL 0x80
#define MOVEFILE_REPLACE_EXISTING 0x01
#define MOVEFILE_WRITE_THROUGH 0x08
#define DELETE 0x10000
#define MB_ICONERROR 0x10
#define EWX_REBOOT 0x02
enum { VK_PRIOR = 0x21, VK_NEXT, VK_LEFT = 0x25, VK_UP, VK_RIGHT, VK_DOWN, VK_VOLUME_DOWN = 0xAE, VK_VOLUME_UP };
#define EWX_POWEROFF 0x08
#define VER_PLATFORM_WIN32_WINDOWS 1

#define _snprintf snprintf
#define _vsnprintf vsnprintf

HANDLE CreateFileW(const WCHAR* path, DWORD access, DWORD share, void* security, DWORD disposition,
                   DWORD attributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* got, void* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD size, DWORD* put, void* overlapped);
BOOL FlushFileBuffers(HANDLE file);
DWORD GetTickCount();
BOOL CloseHandle(HANDLE handle);
DWORD GetFileAttributesW(const WCHAR* path);
BOOL MoveFileExW(const WCHAR* from, const WCHAR* to, DWORD flags);
BOOL DeleteFileW(const WCHAR* path);
BOOL CreateDirectoryW(const WCHAR* path, void* security);
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
DWORD GetModuleFileNameW(void* module, WCHAR* path, DWORD size);
HWND FindWindowA(const char* windowClass, const char* title);
inline BOOL IsDBCSLeadByte(unsigned char) { return FALSE; }    // a single-byte code page
// Committed pages read as zero: calloc's are.
#define MEM_COMMIT 0x1000
#define MEM_RESERVE 0x2000
#define MEM_RELEASE 0x8000
#define PAGE_READWRITE 0x04
inline void* VirtualAlloc(void*, size_t size, DWORD, DWORD) { return calloc(1, size); }
inline BOOL VirtualFree(void* at, size_t, DWORD) { free(at); return TRUE; }
