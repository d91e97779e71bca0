// Test helpers for processes, folders and files.
#include "tests/support/process.h"

#include <stdio.h>

#include "tests/support/standin.h"

static std::string ModuleDir()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string TestBinDir()
{
    return ModuleDir();
}

std::string ProductDir()
{
    // Tests live in <build>\tests\, the product in <build>\.
    std::string dir = ModuleDir();
    dir.pop_back();
    return dir.substr(0, dir.find_last_of('\\') + 1);
}

std::wstring Utf16(const std::string& utf8)
{
    std::wstring wide(utf8.size(), L'\0');    // never more UTF-16 units than bytes
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &wide[0], (int)wide.size()));
    return wide;
}

std::string MakeTempDir(const char* tag)
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static LONG serial;
    for (;;) {
        char dir[MAX_PATH];
        _snprintf(dir, sizeof dir, "%squellon-%s-%lu-%ld\\", base, tag, GetCurrentProcessId(),
                  InterlockedIncrement(&serial));
        dir[MAX_PATH - 1] = '\0';
        if (CreateDirectoryW(Utf16(dir).c_str(), NULL))
            return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return "";
    }
}

void RemoveTree(const std::string& dir)
{
    if (dir.empty())
        return;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(Utf16(dir + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            char name[3 * MAX_PATH];
            WideCharToMultiByte(CP_UTF8, 0, fd.cFileName, -1, name, sizeof name, NULL, NULL);
            if (lstrcmpA(name, ".") == 0 || lstrcmpA(name, "..") == 0)
                continue;
            std::string path = dir + name;
            SetFileAttributesW(Utf16(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + "\\");
            else
                DeleteFileW(Utf16(path).c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(Utf16(dir).c_str());
}

bool ReadWholeFile(const std::string& path, std::string* out)
{
    HANDLE f = CreateFileW(Utf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, 0, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    out->clear();
    char buf[65536];
    DWORD got;
    while (ReadFile(f, buf, sizeof buf, &got, NULL) && got > 0)
        out->append(buf, got);
    CloseHandle(f);
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    HANDLE f = CreateFileW(Utf16(path).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    BOOL ok = WriteFile(f, bytes.data(), (DWORD)bytes.size(), &put, NULL);
    CloseHandle(f);
    return ok && put == bytes.size();
}

struct FileText {
    const std::string* path;
    const std::string* text;
};

static bool FileHoldsText(void* arg)
{
    const FileText* f = (const FileText*)arg;
    std::string got;
    return ReadWholeFile(*f->path, &got) && got.find(*f->text) != std::string::npos;
}

bool WaitForFileText(const std::string& path, const std::string& text, DWORD ms)
{
    FileText f = { &path, &text };
    return WaitUntil(FileHoldsText, &f, ms);
}

std::vector<std::string> NonBlankLines(const std::string& path)
{
    std::string text;
    ReadWholeFile(path, &text);
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesW(Utf16(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (!GetFileAttributesExW(Utf16(path).c_str(), GetFileExInfoStandard, &a))
        return -1;
    return (long)a.nFileSizeLow;
}

// Programs a test starts die with the test, also when a time-out kills it.
static HANDLE TestJob()
{
    static HANDLE job;
    if (!job) {
        job = CreateJobObjectA(NULL, NULL);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits;
        ZeroMemory(&limits, sizeof limits);
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    return job;
}

bool StartProgram(const std::string& commandLine, const std::string& dir, PROCESS_INFORMATION* pi)
{
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    std::wstring cmd = Utf16(commandLine);
    if (!CreateProcessW(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL,
                        dir.empty() ? NULL : Utf16(dir).c_str(), &si, pi))
        return false;
    AttachToTestJob(pi->hProcess);
    return true;
}

void AttachToTestJob(HANDLE process)
{
    AssignProcessToJobObject(TestJob(), process);
}

long WaitProgram(PROCESS_INFORMATION* pi, DWORD timeoutMs)
{
    if (WaitForSingleObject(pi->hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi->hProcess, &code);
    CloseHandle(pi->hProcess);
    CloseHandle(pi->hThread);
    pi->hProcess = pi->hThread = NULL;
    return (long)code;
}

void KillProgram(PROCESS_INFORMATION* pi)
{
    if (!pi->hProcess)
        return;
    TerminateProcess(pi->hProcess, 99);
    WaitForSingleObject(pi->hProcess, 10000);
    CloseHandle(pi->hProcess);
    CloseHandle(pi->hThread);
    pi->hProcess = pi->hThread = NULL;
}

struct WindowWait {
    const char* windowClass;
    const char* title;
    HWND found;
};

static bool WindowThere(void* arg)
{
    WindowWait* w = (WindowWait*)arg;
    w->found = FindWindowA(w->windowClass, w->title);
    return w->found != NULL;
}

static bool WindowGone(void* arg)
{
    return !WindowThere(arg);
}

HWND WaitForWindow(const char* windowClass, const char* title, DWORD ms)
{
    WindowWait w = { windowClass, title, NULL };
    WaitUntil(WindowThere, &w, ms);
    return w.found;
}

bool WaitForNoWindow(const char* windowClass, const char* title, DWORD ms)
{
    WindowWait w = { windowClass, title, NULL };
    return WaitUntil(WindowGone, &w, ms);
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    LRESULT n = SendMessageA(window, WM_GETTEXT, sizeof text, (LPARAM)text);
    if (n < 0)
        n = 0;
    return std::string(text, (size_t)n < sizeof text ? (size_t)n : sizeof text - 1);
}
