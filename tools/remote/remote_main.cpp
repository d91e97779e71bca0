// remote.exe: an on-screen remote for trying Quellon without the TV card.
// It plays the card maker's reminder process: a window of class and title
// "WinFast Schedule Reminder" that sends each key press as message 0x0A00
// to the window of class "Zorv@Video(^0^)", and shows the notices it gets.
//   remote.exe           the remote
//   remote.exe /demo     writes the demonstration profile.cfg and settings.ini
//                        into the current folder where none exist, and ends
//   remote.exe /press KEY,KEY...   also presses these keys once a receiving
//                        window exists, 400 ms apart, then writes the file
//                        "remote-pressed" into the current folder (for scripts)
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "core/remote_keys.h"
#include "tools/remote/demo_files.h"
#include "tools/remote/remote_layout.h"

static const char ReminderName[] = "WinFast Schedule Reminder";
static const char ReceiverClass[] = "Zorv@Video(^0^)";
enum {
    RemoteKeyMessage = 0x0A00, TvWindowNotice = 0x0A01, FmWindowNotice = 0x0A02,
    RepeatTimer = 1, RepeatMs = 110,        // a held key of the real remote repeats this often
    StatusTimer = 2, StatusMs = 500,
    ScriptTimer = 3, ScriptMs = 400, ScriptPatienceMs = 30000, MaxScriptKeys = 16,
    Margin = 10, KeyWidth = 68, KeyHeight = 26, KeyGap = 4, GroupGap = 10, StatusHeight = 48,
};

static int HeldKey = -1;    // key index, -1 when none is held
static UINT HeldVirtualKey;
static char LastNotice[96] = "Last notice: none yet";
static char ReceiverState[96];
static HFONT KeyFont;
static int ScriptKeys[MaxScriptKeys];
static int ScriptKeyCount;
static int ScriptNext;
static DWORD ScriptStart;

static RECT KeyRect(int row, int column)
{
    int y = Margin;
    for (int r = 0; r <= row; ++r)
        y += (r > 0 ? KeyHeight + KeyGap : 0) + (RemoteLayout[r].gapAbove ? GroupGap : 0);
    int x = Margin + column * (KeyWidth + KeyGap);
    RECT rc = { x, y, x + KeyWidth, y + KeyHeight };
    return rc;
}

static RECT StatusRect()
{
    RECT last = KeyRect(RemoteRows - 1, 0);
    RECT rc = { Margin, last.bottom + GroupGap, Margin + RemoteColumns * (KeyWidth + KeyGap),
                last.bottom + GroupGap + StatusHeight };
    return rc;
}

static int KeyAt(POINT p, RECT* where)
{
    for (int r = 0; r < RemoteRows; ++r)
        for (int c = 0; c < RemoteColumns; ++c) {
            RECT rc = KeyRect(r, c);
            if (PtInRect(&rc, p)) {
                if (where)
                    *where = rc;
                return RemoteKeyByName(RemoteLayout[r].names[c]);
            }
        }
    return -1;
}

static void UpdateReceiverState(HWND window)
{
    char state[96];
    HWND receiver = FindWindowA(ReceiverClass, NULL);
    char title[64] = "";
    if (receiver)
        GetWindowTextA(receiver, title, sizeof title);
    if (receiver)
        _snprintf(state, sizeof state, "Receiving window: \"%s\"", title);
    else
        lstrcpynA(state, "No receiving window (is Quellon running?)", sizeof state);
    state[sizeof state - 1] = '\0';
    if (strcmp(state, ReceiverState) != 0) {
        lstrcpynA(ReceiverState, state, sizeof ReceiverState);
        RECT rc = StatusRect();
        InvalidateRect(window, &rc, TRUE);
    }
}

// Exactly what the maker's reminder does with a key press.
static void SendKey(HWND window, int key)
{
    HWND receiver = FindWindowA(ReceiverClass, NULL);
    if (receiver)
        SendMessageA(receiver, RemoteKeyMessage, (WPARAM)RemoteKeyTable[key].code, 0);
    UpdateReceiverState(window);
}

static void PressKey(HWND window, int key)
{
    HeldKey = key;
    InvalidateRect(window, NULL, FALSE);
    SendKey(window, key);
    SetTimer(window, RepeatTimer, RepeatMs, NULL);
}

static void ReleaseKey(HWND window)
{
    KillTimer(window, RepeatTimer);
    HeldKey = -1;
    HeldVirtualKey = 0;
    InvalidateRect(window, NULL, FALSE);
}

static COLORREF KeyColour(const char* name)
{
    if (strcmp(name, "TEXTR") == 0 || strcmp(name, "POWER") == 0)
        return RGB(200, 40, 40);
    if (strcmp(name, "TEXTG") == 0)
        return RGB(40, 160, 60);
    if (strcmp(name, "TEXTY") == 0)
        return RGB(210, 190, 40);
    if (strcmp(name, "TEXTB") == 0)
        return RGB(50, 80, 200);
    return RGB(70, 70, 78);
}

static void Paint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH body = CreateSolidBrush(RGB(30, 30, 34));
    FillRect(dc, &client, body);
    DeleteObject(body);
    HGDIOBJ oldFont = SelectObject(dc, KeyFont);
    SetBkMode(dc, TRANSPARENT);
    for (int r = 0; r < RemoteRows; ++r)
        for (int c = 0; c < RemoteColumns; ++c) {
            const char* name = RemoteLayout[r].names[c];
            RECT rc = KeyRect(r, c);
            bool held = RemoteKeyByName(name) == HeldKey;
            HBRUSH face = CreateSolidBrush(held ? RGB(240, 240, 240) : KeyColour(name));
            HGDIOBJ oldBrush = SelectObject(dc, face);
            HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
            RoundRect(dc, rc.left, rc.top, rc.right, rc.bottom, 12, 12);
            SelectObject(dc, oldPen);
            SelectObject(dc, oldBrush);
            DeleteObject(face);
            SetTextColor(dc, held ? RGB(0, 0, 0) : RGB(240, 240, 240));
            DrawTextA(dc, name, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    RECT status = StatusRect();
    char text[200];
    _snprintf(text, sizeof text, "%s\n%s", ReceiverState, LastNotice);
    text[sizeof text - 1] = '\0';
    SetTextColor(dc, RGB(200, 200, 200));
    DrawTextA(dc, text, -1, &status, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
    SelectObject(dc, oldFont);
    EndPaint(window, &ps);
}

static void ShowNotice(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    _snprintf(LastNotice, sizeof LastNotice, "Last notice: 0x%04X (%s window) %lu, %ld at %02d:%02d:%02d",
              message, message == TvWindowNotice ? "TV" : "FM", (unsigned long)wParam, (long)lParam,
              t.wHour, t.wMinute, t.wSecond);
    LastNotice[sizeof LastNotice - 1] = '\0';
    RECT rc = StatusRect();
    InvalidateRect(window, &rc, TRUE);
}

// Key names after /press, separated by commas; unknown names are skipped.
static void ReadScriptKeys(const char* commandLine)
{
    const char* p = strstr(commandLine, "/press");
    if (!p)
        return;
    p += 6;
    while (*p == ' ')
        ++p;
    char name[RemoteKeyNameWidth];
    size_t n = 0;
    for (;; ++p) {
        if (*p == ',' || *p == ' ' || *p == '\0') {
            name[n] = '\0';
            int key = n ? RemoteKeyByName(name) : -1;
            if (key >= 0 && ScriptKeyCount < MaxScriptKeys)
                ScriptKeys[ScriptKeyCount++] = key;
            n = 0;
            if (*p != ',')
                break;
        } else if (n + 1 < sizeof name) {
            name[n++] = *p;
        }
    }
}

static void PlayScript(HWND window)
{
    if (ScriptNext >= ScriptKeyCount) {
        KillTimer(window, ScriptTimer);
        HANDLE done = CreateFileA("remote-pressed", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        if (done != INVALID_HANDLE_VALUE)
            CloseHandle(done);
        return;
    }
    if (!FindWindowA(ReceiverClass, NULL) && GetTickCount() - ScriptStart < ScriptPatienceMs)
        return;
    SendKey(window, ScriptKeys[ScriptNext++]);
}

static int ShortcutKey(UINT virtualKey)
{
    for (int i = 0; i < RemoteShortcutCount; ++i)
        if (RemoteShortcuts[i].virtualKey == virtualKey)
            return RemoteKeyByName(RemoteShortcuts[i].name);
    return -1;
}

static LRESULT CALLBACK RemoteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TvWindowNotice:
    case FmWindowNotice:
        ShowNotice(window, message, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN: {
        POINT p = { (short)LOWORD(lParam), (short)HIWORD(lParam) };
        int key = KeyAt(p, NULL);
        if (key >= 0) {
            SetCapture(window);
            PressKey(window, key);
        }
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (HeldKey >= 0 && !HeldVirtualKey) {
            if (message == WM_LBUTTONUP)
                ReleaseCapture();
            ReleaseKey(window);
        }
        return 0;
    case WM_KEYDOWN: {
        if (lParam & (1 << 30))
            return 0;    // the keyboard's own repeat: ours is the remote's
        int key = ShortcutKey((UINT)wParam);
        if (key >= 0 && HeldKey < 0) {
            HeldVirtualKey = (UINT)wParam;
            PressKey(window, key);
        }
        return 0;
    }
    case WM_KEYUP:
        if (HeldVirtualKey == (UINT)wParam)
            ReleaseKey(window);
        return 0;
    case WM_KILLFOCUS:
        if (HeldVirtualKey)
            ReleaseKey(window);
        return 0;
    case WM_TIMER:
        if (wParam == RepeatTimer && HeldKey >= 0)
            SendKey(window, HeldKey);
        else if (wParam == StatusTimer)
            UpdateReceiverState(window);
        else if (wParam == ScriptTimer)
            PlayScript(window);
        return 0;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;    // painting fills the background itself
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static int RunDemoFiles()
{
    char dir[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof dir - 1, dir);
    if (n == 0 || n >= sizeof dir - 1)
        return 2;
    if (dir[n - 1] != '\\') {
        dir[n] = '\\';
        dir[n + 1] = '\0';
    }
    return WriteDemoFiles(dir) < 0 ? 1 : 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    if (strstr(commandLine, "/demo"))
        return RunDemoFiles();

    KeyFont = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0,
                          "Tahoma");
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = RemoteProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, IDC_HAND);
    wc.hIcon = LoadIconA(NULL, IDI_APPLICATION);
    wc.lpszClassName = ReminderName;
    RegisterClassA(&wc);

    RECT size = { 0, 0, 2 * Margin + RemoteColumns * (KeyWidth + KeyGap) - KeyGap,
                  StatusRect().bottom + Margin };
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&size, style, FALSE);
    HWND window = CreateWindowExA(0, ReminderName, ReminderName, style, 40, 100,
                                  size.right - size.left, size.bottom - size.top, NULL, NULL,
                                  instance, NULL);
    if (!window)
        return 1;
    UpdateReceiverState(window);
    SetTimer(window, StatusTimer, StatusMs, NULL);
    ReadScriptKeys(commandLine);
    if (ScriptKeyCount) {
        ScriptStart = GetTickCount();
        SetTimer(window, ScriptTimer, ScriptMs, NULL);
    }
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
