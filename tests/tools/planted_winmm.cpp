// A winmm.dll that a stranger left beside quellon.exe: once loaded, it
// leaves planted-winmm-ran beside itself.
#include <windows.h>
#include <string.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
    char* slash = strrchr(path, '\\');
    if (reason != DLL_PROCESS_ATTACH || n == 0 || n >= MAX_PATH || !slash
        || (size_t)(slash - path) + sizeof "\\planted-winmm-ran" > MAX_PATH)
        return TRUE;
    strcpy(slash, "\\planted-winmm-ran");
    CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    return TRUE;
}
