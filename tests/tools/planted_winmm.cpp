// A DLL that a stranger left beside quellon.exe under a system DLL's name
// (winmm.dll, uxtheme.dll): once loaded, it leaves planted-dll-ran beside itself.
#include <windows.h>
#include <string.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
    char* slash = strrchr(path, '\\');
    if (reason != DLL_PROCESS_ATTACH || n == 0 || n >= MAX_PATH || !slash
        || (size_t)(slash - path) + sizeof "\\planted-dll-ran" > MAX_PATH)
        return TRUE;
    strcpy(slash, "\\planted-dll-ran");
    CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    return TRUE;
}
