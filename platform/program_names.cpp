// Process image names: QueryFullProcessImageNameW from Vista on, psapi's
// GetModuleFileNameExW on XP, both looked up at their first use.
#include "platform/program_names.h"

#include <string.h>

#include "platform/system_dll.h"

// Not in the XP headers we build with.
static const DWORD QueryLimitedInformation = 0x1000;    // PROCESS_QUERY_LIMITED_INFORMATION

typedef BOOL(WINAPI* QueryFullProcessImageNameWFn)(HANDLE, DWORD, LPWSTR, PDWORD);
typedef DWORD(WINAPI* GetModuleFileNameExWFn)(HANDLE, HMODULE, LPWSTR, DWORD);

static QueryFullProcessImageNameWFn QueryImageName;
static GetModuleFileNameExWFn ModuleFileNameEx;
static HMODULE Psapi;
static bool LookedUp;

static void LookUpFunctions()
{
    if (LookedUp)
        return;
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    QueryImageName = kernel32 ? (QueryFullProcessImageNameWFn)(void*)GetProcAddress(
                                    kernel32, "QueryFullProcessImageNameW")
                              : NULL;
    // XP only: psapi is loaded from System32 where nothing newer serves.
    if (!QueryImageName)
        FindSystemDllFunctions(&Psapi, "psapi.dll", "GetModuleFileNameExW\0", &ModuleFileNameEx, 1);
    LookedUp = true;
}

// The full image path of process pid; false when it cannot be had.
static bool ImagePathOf(DWORD pid, wchar_t* path, DWORD size)
{
    LookUpFunctions();
    HANDLE process = NULL;
    bool got = false;
    if (QueryImageName) {
        process = OpenProcess(QueryLimitedInformation, FALSE, pid);
        DWORD n = size;
        got = process && QueryImageName(process, 0, path, &n) && n < size;
    } else if (ModuleFileNameEx) {
        process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
        DWORD n = process ? ModuleFileNameEx(process, NULL, path, size) : 0;
        got = n > 0 && n < size;
    }
    if (process)
        CloseHandle(process);
    return got;
}

struct HostedSearch {
    DWORD hostPid;
    DWORD pid;
};

// The first child of a Store app's frame that another process owns: the app.
static BOOL CALLBACK FindHosted(HWND child, LPARAM param)
{
    HostedSearch* search = (HostedSearch*)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(child, &pid);
    if (pid && pid != search->hostPid) {
        search->pid = pid;
        return FALSE;
    }
    return TRUE;
}

static const wchar_t* FileNameOf(const wchar_t* path)
{
    const wchar_t* last = wcsrchr(path, L'\\');
    return last ? last + 1 : path;
}

bool ProgramOfWindow(HWND window, wchar_t* name, size_t size)
{
    name[0] = L'\0';
    DWORD pid = 0;
    wchar_t path[1024];
    if (!GetWindowThreadProcessId(window, &pid) || !ImagePathOf(pid, path, ARRAYSIZE(path)))
        return false;
    if (lstrcmpiW(FileNameOf(path), L"ApplicationFrameHost.exe") == 0) {
        HostedSearch search = { pid, 0 };
        EnumChildWindows(window, FindHosted, (LPARAM)&search);
        if (search.pid && !ImagePathOf(search.pid, path, ARRAYSIZE(path)))
            return false;
    }
    const wchar_t* file = FileNameOf(path);
    if (wcslen(file) >= size)
        return false;
    memcpy(name, file, (wcslen(file) + 1) * sizeof(wchar_t));
    return true;
}
