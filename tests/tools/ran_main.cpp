// ran.exe: records that it was started. Copied under the names of the card
// maker's applications; each start appends "NAME|COMMAND LINE" to ran.log
// beside the executable, then the program ends.
#include <windows.h>
#include <stdio.h>
#include <string.h>

int main()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return 2;
    char* slash = strrchr(path, '\\');
    const char* name = slash ? slash + 1 : path;
    char log[MAX_PATH];
    _snprintf(log, sizeof log, "%.*sran.log", (int)(name - path), path);
    log[MAX_PATH - 1] = '\0';
    // Several starts may race: retry while another start holds the file.
    for (int i = 0; i < 200; ++i) {
        HANDLE f = CreateFileA(log, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, 0, NULL);
        if (f != INVALID_HANDLE_VALUE) {
            char line[2048];
            int len = _snprintf(line, sizeof line, "%s|%s\n", name, GetCommandLineA());
            if (len < 0 || len >= (int)sizeof line)
                len = (int)sizeof line - 1;
            DWORD put;
            WriteFile(f, line, (DWORD)len, &put, NULL);
            CloseHandle(f);
            return 0;
        }
        Sleep(10);
    }
    return 1;
}
