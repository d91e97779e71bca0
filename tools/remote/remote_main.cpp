// remote.exe: an on-screen remote for trying Quellon without the TV card.
// It plays the card maker's reminder process: a window of class and title
// "WinFast Schedule Reminder" that sends each key press as message 0x0A00
// to the window of class "Zorv@Video(^0^)", and shows the notices it gets.
// Like the system's on-screen keyboard it stays on top and a click on a key
// leaves the foreground window and the keyboard focus where they are, so
// that Quellon's actions see what they would see with the real remote. It
// takes the focus only from a click on its title bar or on its "PC keyboard"
// line; while it has it, the PC keyboard presses remote keys too.
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
    KeyboardLineHeight = 16,
};

// One key is held at a time, by the mouse or by a key of the PC keyboard.
static int HeldKey = -1;    // key index, -1 when none is held
static UINT HeldVirtualKey; // the keyboard key holding it; 0 when the mouse holds it
// Dragging the remote by its body (between the keys) moves it without
// activating it; the title bar moves it the usual way, and activates it.
static bool Dragging;
static POINT DragFrom;      // pointer, and window corner, where the drag began
static POINT DragOrigin;
static bool UnderWine;
static HWND LastFront;      // the foreground window when the remote last restacked itself
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

// The line under the status that tells whether the PC keyboard presses keys.
static RECT KeyboardLineRect()
{
    RECT rc = StatusRect();
    rc.top = rc.bottom;
    rc.bottom += KeyboardLineHeight;
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

static void PressKey(HWND window, int key, UINT virtualKey)
{
    HeldKey = key;
    HeldVirtualKey = virtualKey;
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

// The deliberate ways in, a click on the title bar or on the keyboard line,
// activate the remote for the PC keyboard, which WS_EX_NOACTIVATE alone
// would refuse to a click.
static void TakeKeyboard(HWND window)
{
    SetForegroundWindow(window);
}

static bool HeldByMouse()
{
    return HeldKey >= 0 && !HeldVirtualKey;
}

// The button is up, or the capture went elsewhere: the mouse lets go of
// whatever it held. The state is cleared before ReleaseCapture, whose
// WM_CAPTURECHANGED comes back here.
static void EndMouseHold(HWND window, bool releaseCapture)
{
    if (HeldByMouse())
        ReleaseKey(window);
    Dragging = false;
    if (releaseCapture && GetCapture() == window)
        ReleaseCapture();
}

static void OnButtonDown(HWND window, LPARAM lParam)
{
    POINT p = { (short)LOWORD(lParam), (short)HIWORD(lParam) };
    RECT keyboard = KeyboardLineRect();
    if (PtInRect(&keyboard, p)) {
        TakeKeyboard(window);
        return;
    }
    int key = KeyAt(p, NULL);
    // A click takes over from a key held on the keyboard: that key's
    // release then finds nothing of its own to let go.
    if (HeldKey >= 0)
        ReleaseKey(window);
    SetCapture(window);
    if (key >= 0) {
        PressKey(window, key, 0);
        return;
    }
    RECT rc;
    GetWindowRect(window, &rc);
    DWORD at = GetMessagePos();
    DragFrom.x = (short)LOWORD(at);
    DragFrom.y = (short)HIWORD(at);
    DragOrigin.x = rc.left;
    DragOrigin.y = rc.top;
    Dragging = true;
}

static void OnMouseMove(HWND window)
{
    if (!Dragging)
        return;
    // Where the pointer was when the message was made: the window moves
    // under it, so client coordinates would drift.
    DWORD at = GetMessagePos();
    SetWindowPos(window, NULL, DragOrigin.x + (short)LOWORD(at) - DragFrom.x,
                 DragOrigin.y + (short)HIWORD(at) - DragFrom.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    RECT keyboard = KeyboardLineRect();
    bool active = GetForegroundWindow() == window;
    SetTextColor(dc, active ? RGB(120, 220, 120) : RGB(200, 200, 200));
    DrawTextA(dc, active ? "PC keyboard: on (the remote is active)" : "PC keyboard: off (click here)",
              -1, &keyboard, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
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

// Wine's X11 driver maps a newly shown window above all others, and raises
// a window again only when it becomes the first in the z-order: a topmost
// window that is first already is never raised. So, under Wine, each time
// another window comes to the front the remote leaves the topmost band and
// comes back, which makes it first anew.
static void StayOnTop(HWND window)
{
    HWND front = GetForegroundWindow();
    if (!UnderWine || front == LastFront)
        return;
    LastFront = front;
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;    // a click on a key is a press on the remote, not a focus change
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION)
            TakeKeyboard(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_LBUTTONDOWN:
        OnButtonDown(window, lParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(window);
        return 0;
    case WM_LBUTTONUP:
        EndMouseHold(window, true);
        return 0;
    case WM_CAPTURECHANGED:
        EndMouseHold(window, false);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(window, &p);
            RECT keyboard = KeyboardLineRect();
            bool button = KeyAt(p, NULL) >= 0 || PtInRect(&keyboard, p);
            SetCursor(LoadCursorA(NULL, button ? IDC_HAND : IDC_SIZEALL));
            return TRUE;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_KEYDOWN: {
        if (lParam & (1 << 30))
            return 0;    // the keyboard's own repeat: ours is the remote's
        int key = ShortcutKey((UINT)wParam);
        if (key >= 0 && HeldKey < 0)
            PressKey(window, key, (UINT)wParam);
        return 0;
    }
    case WM_KEYUP:
        if (HeldVirtualKey && HeldVirtualKey == (UINT)wParam)
            ReleaseKey(window);
        return 0;
    case WM_ACTIVATE: {
        RECT rc = KeyboardLineRect();
        InvalidateRect(window, &rc, TRUE);
        return 0;
    }
    case WM_KILLFOCUS:
        if (HeldVirtualKey)
            ReleaseKey(window);
        return 0;
    case WM_TIMER:
        if (wParam == RepeatTimer && HeldKey >= 0)
            SendKey(window, HeldKey);
        else if (wParam == StatusTimer) {
            UpdateReceiverState(window);
            StayOnTop(window);
        }
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    if (strstr(commandLine, "/demo"))
        return RunDemoFiles();

    UnderWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != NULL;
    KeyFont = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0,
                          "Tahoma");
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = RemoteProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hIcon = LoadIconA(NULL, IDI_APPLICATION);
    wc.lpszClassName = ReminderName;
    RegisterClassA(&wc);

    RECT size = { 0, 0, 2 * Margin + RemoteColumns * (KeyWidth + KeyGap) - KeyGap,
                  KeyboardLineRect().bottom + Margin };
    // No minimise box: without a window manager nothing could bring it back.
    // WS_EX_APPWINDOW keeps the taskbar button that WS_EX_NOACTIVATE drops.
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_APPWINDOW;
    AdjustWindowRectEx(&size, style, FALSE, exStyle);
    HWND window = CreateWindowExA(exStyle, ReminderName, ReminderName, style, 40, 100,
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
    // Shown without taking the focus, as with any click on it.
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
