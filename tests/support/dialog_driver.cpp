// Cross-process dialog driving: only messages that work across processes
// under Wine (the W functions for list texts), and SendInput for the mouse.
#include "tests/support/dialog_driver.h"

#include <commctrl.h>

#include "tests/support/process.h"

static HWND Item(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}

void ClickControl(HWND dialog, int id)
{
    SendMessageA(Item(dialog, id), BM_CLICK, 0, 0);
}

static void Notify(HWND dialog, int id, int code)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)Item(dialog, id));
}

void ChooseListRow(HWND dialog, int id, int row)
{
    SendMessageA(Item(dialog, id), LB_SETCURSEL, (WPARAM)row, 0);
    Notify(dialog, id, LBN_SELCHANGE);
}

void ChooseComboRow(HWND dialog, int id, int row)
{
    SendMessageA(Item(dialog, id), CB_SETCURSEL, (WPARAM)row, 0);
    Notify(dialog, id, CBN_SELCHANGE);
}

void TypeText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(Item(dialog, id), WM_SETTEXT, 0, (LPARAM)text.c_str());
}

void MoveTrackbar(HWND dialog, int id, int position, int code)
{
    HWND trackbar = Item(dialog, id);
    SendMessageA(trackbar, TBM_SETPOS, TRUE, position);
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(code, position), (LPARAM)trackbar);
}

void PressDialogKey(HWND dialog, UINT vk)
{
    PostMessageA(dialog, WM_KEYDOWN, vk, 1);
    PostMessageA(dialog, WM_KEYUP, vk, 0xC0000001);
}

bool IsControlEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(Item(dialog, id)) != FALSE;
}

bool IsControlChecked(HWND dialog, int id)
{
    return SendMessageA(Item(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string ComboSelection(HWND dialog, int id)
{
    HWND combo = Item(dialog, id);
    LRESULT row = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (row < 0)
        return "";
    WCHAR wide[256] = L"";
    if (SendMessageW(combo, CB_GETLBTEXTLEN, (WPARAM)row, 0) >= 256)
        return "(too long)";
    SendMessageW(combo, CB_GETLBTEXT, (WPARAM)row, (LPARAM)wide);
    char text[512] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, NULL, NULL);
    return text;
}

std::string ControlText(HWND window, int id)
{
    return WindowText(Item(window, id));
}

struct DialogWatch {
    DialogAnswer answer;
    volatile LONG stop;
    HANDLE thread;
    volatile LONG answered;
    std::string readText;
};

static DWORD WINAPI WatchThread(LPVOID arg)
{
    DialogWatch* w = (DialogWatch*)arg;
    while (!w->stop) {
        HWND box = FindWindowA(MAKEINTATOM(0x8002), w->answer.caption);
        if (box && IsWindowVisible(box)) {
            Sleep(100);    // let it finish setting itself up
            if (w->answer.readId)
                w->readText = ControlText(box, w->answer.readId);
            for (int i = 0; i < 3 && w->answer.editIds[i]; ++i)
                TypeText(box, w->answer.editIds[i], w->answer.texts[i]);
            SendMessageA(box, WM_COMMAND, (WPARAM)w->answer.button, 0);
            // Wait until it is gone so that one box is not answered twice.
            for (int i = 0; i < 500 && IsWindow(box) && IsWindowVisible(box); ++i)
                Sleep(10);
            InterlockedIncrement(&w->answered);
        }
        Sleep(10);
    }
    return 0;
}

DialogWatch* WatchDialogs(const DialogAnswer& answer)
{
    DialogWatch* w = new DialogWatch();
    w->answer = answer;
    w->thread = CreateThread(NULL, 0, WatchThread, w, 0, NULL);
    return w;
}

bool WaitForAnswers(DialogWatch* w, int count, DWORD ms)
{
    for (DWORD waited = 0; w->answered < count; waited += 10) {
        if (waited >= ms)
            return false;
        Sleep(10);
    }
    return true;
}

int StopWatchingDialogs(DialogWatch* w, std::string* readText)
{
    InterlockedExchange(&w->stop, 1);
    WaitForSingleObject(w->thread, 10000);
    CloseHandle(w->thread);
    int n = w->answered;
    if (readText)
        *readText = w->readText;
    delete w;
    return n;
}

// Buttons are pressed where the pointer is; only moves carry a position.
static void SendMouse(DWORD flags, int x, int y)
{
    INPUT in;
    ZeroMemory(&in, sizeof in);
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        in.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        in.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
    }
    SendInput(1, &in, sizeof in);
}

void HoldShift(bool down)
{
    INPUT in;
    ZeroMemory(&in, sizeof in);
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VK_SHIFT;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
}

void PointAt(int x, int y)
{
    SendMouse(MOUSEEVENTF_MOVE, x, y);
    Sleep(150);    // Wine drops a held Shift when the pointer enters another window
}

void ClickMouse(bool right)
{
    SendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0);
    Sleep(50);
    SendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0);
}
