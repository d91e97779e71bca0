// OSD windows: slot table, shared font, painting and the display countdown.
#include "osd/osd.h"

#include "core/countdown.h"
#include "platform/platform.h"
#include "core/preferences.h"
#include "core/text.h"
#include "osd/placement.h"

struct OsdSlot {
    HWND window;
    uint8_t horizontalAnchor;
    uint8_t verticalAnchor;
    double horizontalFraction;
    double verticalFraction;
    volatile LONG countdown;    // the tick it ends at; 0 when no countdown runs
    char text[OsdTextWidth];
};

static const char OsdClassName[] = "OSDWndClass";
static const COLORREF ShadowColor = RGB(1, 0, 0);    // not black, so the colour key keeps it

static OsdSlot OsdSlots[OsdMaxSlots];
static volatile LONG CreatedSlots;
static HFONT OsdFont;
static int OsdFontScreenHeight;    // height of the monitor the font was made for
static HBRUSH OsdBrush;

// Texts are written on the receiver thread and painted on the main thread,
// and the font is replaced while either may be using it: both go under one
// short lock, never held across a call that waits for another thread.
static CRITICAL_SECTION OsdLock;

// Posted to a slot's window: its own thread shows or hides it.
enum { OsdShowMessage = WM_APP + 1, OsdHideMessage = WM_APP + 2 };

static LRESULT CALLBACK OsdWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

int32_t OsdSlotCount()
{
    return CreatedSlots;
}

static OsdSlot* SlotAt(int32_t slot)
{
    return slot >= 0 && slot < CreatedSlots ? &OsdSlots[slot] : NULL;
}

static int32_t SlotCountdown(int32_t slot)
{
    OsdSlot* s = SlotAt(slot);
    return s ? CountdownLeft(&s->countdown, Platform.getTickCount()) : 0;
}

HWND OsdWindow(int32_t slot)
{
    OsdSlot* s = SlotAt(slot);
    return s ? s->window : NULL;
}

void OsdText(int32_t slot, char* out, size_t size)
{
    OsdSlot* s = SlotAt(slot);
    EnterCriticalSection(&OsdLock);
    CopyText(out, size, s ? s->text : "");
    LeaveCriticalSection(&OsdLock);
}

// The text size is a share of the height of the monitor the text shows on.
static void MakeOsdFont(int screenHeight)
{
    int height = OsdFontHeight(OsdSettings.TextSize, screenHeight);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0,
                             ANTIALIASED_QUALITY, 0, NULL);
    EnterCriticalSection(&OsdLock);
    HFONT old = OsdFont;
    OsdFont = font;
    OsdFontScreenHeight = screenHeight;
    LeaveCriticalSection(&OsdLock);
    // The slider makes a font for every notification: release the old ones.
    if (old)
        DeleteObject(old);
}

void CreateOsdFont()
{
    int height = OsdFontScreenHeight;
    MakeOsdFont(height > 0 ? height : GetSystemMetrics(SM_CYSCREEN));
}

// The monitor that shows the foreground window, where the film plays; the
// primary one when nothing is in front. With one monitor, the screen.
static RECT OsdMonitorRect()
{
    RECT screen = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    HMONITOR monitor = Platform.monitorFromWindow(GetForegroundWindow(), MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    if (!monitor || !Platform.getMonitorInfo(monitor, &info)
        || info.rcMonitor.right <= info.rcMonitor.left || info.rcMonitor.bottom <= info.rcMonitor.top)
        return screen;
    return info.rcMonitor;
}

static void ShowSlotText(int32_t slot, const char* text);

void InitOsd()
{
    static bool initialised;
    if (!initialised)
        InitializeCriticalSection(&OsdLock);
    initialised = true;
    RegisterOsdText(ShowSlotText, SlotCountdown);
    OsdBrush = CreateSolidBrush(RGB(0, 0, 0));
    MakeOsdFont(GetSystemMetrics(SM_CYSCREEN));    // the primary monitor's, until a text shows
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = OsdWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = OsdBrush;
    wc.lpszClassName = OsdClassName;
    RegisterClassA(&wc);
}

static void ApplySlotOpacity(HWND window)
{
    SetLayeredWindowAttributes(window, RGB(0, 0, 0), OsdAlpha(OsdSettings.Opaque),
                               LWA_COLORKEY | LWA_ALPHA);
}

void CreateOsdSlot(uint8_t horizontalAnchor, uint8_t verticalAnchor,
                   double horizontalFraction, double verticalFraction)
{
    if (CreatedSlots >= OsdMaxSlots)
        return;
    OsdSlot& s = OsdSlots[CreatedSlots];
    s.horizontalAnchor = horizontalAnchor;
    s.verticalAnchor = verticalAnchor;
    s.horizontalFraction = horizontalFraction;
    s.verticalFraction = verticalFraction;
    s.countdown = 0;
    s.text[0] = '\0';
    // Layered for colour key and alpha, a tool window to stay off the taskbar,
    // transparent so that clicks reach the windows beneath.
    s.window = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST,
                               OsdClassName, "OSD", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                               GetModuleHandleA(NULL), NULL);
    ApplySlotOpacity(s.window);
    InterlockedIncrement(&CreatedSlots);    // the tick thread reads the count
}

void ApplyOsdOpacity()
{
    for (int32_t i = 0; i < CreatedSlots; ++i)
        ApplySlotOpacity(OsdSlots[i].window);
}

static bool OnWindowThread(HWND window)
{
    return GetWindowThreadProcessId(window, NULL) == GetCurrentThreadId();
}

// The window's own thread: the text's size, its place, and on screen. The
// countdown starts again from here, so that the text stays its full time
// however long this thread was busy before.
static void PlaceAndShow(OsdSlot& s)
{
    RECT monitor = OsdMonitorRect();
    if (monitor.bottom - monitor.top != OsdFontScreenHeight)
        MakeOsdFont(monitor.bottom - monitor.top);
    RECT r = { 0, 0, 0, 0 };
    EnterCriticalSection(&OsdLock);
    HDC dc = GetDC(s.window);
    HGDIOBJ oldFont = SelectObject(dc, OsdFont);
    DrawTextA(dc, s.text, -1, &r, DT_CALCRECT);
    SelectObject(dc, oldFont);
    ReleaseDC(s.window, dc);
    LeaveCriticalSection(&OsdLock);

    int w = r.right - r.left;
    int h = r.bottom - r.top;
    POINT at = OsdPlaceOnMonitor(s.horizontalAnchor, s.verticalAnchor, s.horizontalFraction,
                                 s.verticalFraction, monitor, w, h);
    // Shown without activation: an OSD must never take the keyboard focus from
    // the window the user (or a following keystroke action) is working in.
    SetWindowPos(s.window, HWND_TOPMOST, at.x, at.y, w, h, SWP_NOACTIVATE);
    ShowWindow(s.window, SW_SHOWNA);
    RedrawWindow(s.window, NULL, NULL, RDW_INVALIDATE);
    StartCountdown(&s.countdown, OsdDisplayMs(OsdSettings.Timeout));
}

// A text that came after the countdown ended keeps the window on screen.
static void HideUnlessRestarted(OsdSlot& s)
{
    if (s.countdown == 0)
        ShowWindow(s.window, SW_HIDE);
}

static void ShowSlotText(int32_t slot, const char* text)
{
    OsdSlot* s = SlotAt(slot);
    if (!s || !OsdSettings.Enable)
        return;
    EnterCriticalSection(&OsdLock);
    CopyText(s->text, OsdTextWidth, text);
    LeaveCriticalSection(&OsdLock);
    if (OnWindowThread(s->window)) {
        PlaceAndShow(*s);
        return;
    }
    // Counting from now already, so that a second press of the clock key
    // finds its text on screen before the window's thread has shown it. No
    // cross-thread call: the receiver thread must never wait on the main
    // thread, which may be saving a file or be inside a modal loop.
    StartCountdown(&s->countdown, OsdDisplayMs(OsdSettings.Timeout));
    PostMessageA(s->window, OsdShowMessage, 0, 0);
}

DWORD OsdCountdownsDueIn(DWORD now)
{
    DWORD first = INFINITE;
    for (int32_t i = 0; i < CreatedSlots; ++i) {
        DWORD due = CountdownDueIn(&OsdSlots[i].countdown, now);
        if (due < first)
            first = due;
    }
    return first;
}

void TickOsdSlots()
{
    DWORD now = Platform.getTickCount();
    for (int32_t i = 0; i < CreatedSlots; ++i)
        if (EndCountdownIfDue(&OsdSlots[i].countdown, now)) {
            if (OnWindowThread(OsdSlots[i].window))
                HideUnlessRestarted(OsdSlots[i]);
            else
                PostMessageA(OsdSlots[i].window, OsdHideMessage, 0, 0);
        }
}

static OsdSlot* SlotOfWindow(HWND window)
{
    for (int32_t i = 0; i < CreatedSlots; ++i)
        if (OsdSlots[i].window == window)
            return &OsdSlots[i];
    return NULL;
}

static void PaintSlot(HWND window, OsdSlot& s)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    FillRect(dc, &r, OsdBrush);
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, RGB(0, 0, 0));
    EnterCriticalSection(&OsdLock);
    HGDIOBJ oldFont = SelectObject(dc, OsdFont);
    // The shadow sits 3 pixels right and up; its top rows and right columns are clipped.
    RECT shadow = { r.left + 3, r.top - 3, r.right + 3, r.bottom - 3 };
    SetTextColor(dc, ShadowColor);
    DrawTextA(dc, s.text, -1, &shadow, 0);
    SetTextColor(dc, (COLORREF)OsdSettings.Color);
    DrawTextA(dc, s.text, -1, &r, 0);
    SelectObject(dc, oldFont);
    LeaveCriticalSection(&OsdLock);
    EndPaint(window, &ps);
}

static LRESULT CALLBACK OsdWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        OsdSlot* s = SlotOfWindow(window);
        if (!s)
            break;
        PaintSlot(window, *s);
        return 0;
    }
    case OsdShowMessage:
    case OsdHideMessage: {
        OsdSlot* s = SlotOfWindow(window);
        if (s && message == OsdShowMessage)
            PlaceAndShow(*s);
        else if (s)
            HideUnlessRestarted(*s);
        return 0;
    }
    case WM_ERASEBKGND:
        return 0;    // painting fills the background itself
    case WM_WININICHANGE:
        CreateOsdFont();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
