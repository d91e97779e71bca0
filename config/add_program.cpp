// The "Add a program" box: one row per program with a visible window, its
// file name and the title of its first window, or "Browse..." for any
// executable. Names are UTF-16 throughout: an executable may be named
// outside the ANSI code page.
#include "config/add_program.h"

#include <windows.h>
#include <string.h>

#include "config/program_path.h"
#include "core/app_state.h"
#include "core/program_sets.h"
#include "platform/program_names.h"
#include "res/resource.h"

enum { MaxChoices = 64, TitleSize = 80, RowSize = ProgramNameSize + TitleSize + 4 };

struct ProgramChoice {
    wchar_t name[ProgramNameSize];
};

// Main thread only, filled each time the box opens.
static ProgramChoice Choices[MaxChoices];
static int ChoiceCount;
static wchar_t* Chosen;
static size_t ChosenSize;

static void AddChoiceRow(HWND list, HWND window, const wchar_t* name)
{
    for (int i = 0; i < ChoiceCount; ++i)
        if (lstrcmpiW(Choices[i].name, name) == 0)
            return;    // one row per program, with its first window's title
    if (ChoiceCount == MaxChoices)
        return;
    // Read from the window manager: a program that hangs cannot hold the box up.
    wchar_t title[TitleSize], row[RowSize];
    if (!GetWindowTextW(window, title, TitleSize))
        return;    // no title: nothing a user would pick
    // The name fits whole: the row has room for it and the dash.
    size_t n = wcslen(name);
    memcpy(row, name, n * sizeof(wchar_t));
    memcpy(row + n, L"  \x2013  ", 5 * sizeof(wchar_t));
    lstrcpynW(row + n + 5, title, TitleSize);
    LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)row);
    if (at < 0)
        return;
    SendMessageW(list, LB_SETITEMDATA, (WPARAM)at, ChoiceCount);
    lstrcpynW(Choices[ChoiceCount++].name, name, ProgramNameSize);
}

static BOOL CALLBACK OfferWindow(HWND window, LPARAM list)
{
    DWORD pid = 0;
    wchar_t name[ProgramNameSize];
    GetWindowThreadProcessId(window, &pid);
    if (IsWindowVisible(window) && pid != GetCurrentProcessId() &&
        ProgramOfWindow(window, name, ProgramNameSize))
        AddChoiceRow((HWND)list, window, name);
    return TRUE;
}

static void Choose(HWND box, const wchar_t* name)
{
    lstrcpynW(Chosen, name, (int)ChosenSize);
    EndDialog(box, IDOK);
}

static void ChooseRow(HWND box)
{
    HWND list = GetDlgItem(box, IDC_PROGRAM_LIST);
    LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (row < 0)
        return;
    LRESULT choice = SendMessageW(list, LB_GETITEMDATA, (WPARAM)row, 0);
    if (choice >= 0 && choice < ChoiceCount)
        Choose(box, Choices[choice].name);
}

// The set is found by the executable's file name alone.
static void BrowseExecutable(HWND box)
{
    const wchar_t* path = BrowseForProgram(box);
    const wchar_t* last = path ? wcsrchr(path, L'\\') : NULL;
    const wchar_t* name = last ? last + 1 : path;
    if (!name || !name[0])
        return;
    if (wcslen(name) < ProgramNameSize)
        Choose(box, name);
    else
        MessageBoxW(box, L"Bindings of their own are kept for programs whose file name has at most "
                         L"50 characters.", L"Add a program", MB_ICONWARNING);
}

static INT_PTR CALLBACK AddProgramProc(HWND box, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        ChoiceCount = 0;
        HWND list = GetDlgItem(box, IDC_PROGRAM_LIST);
        EnumWindows(OfferWindow, (LPARAM)list);
        SendMessageW(list, LB_SETCURSEL, 0, 0);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK: ChooseRow(box); return TRUE;
    case IDCANCEL: EndDialog(box, IDCANCEL); return TRUE;
    case IDC_BROWSE_PROGRAM: BrowseExecutable(box); return TRUE;
    case IDC_PROGRAM_LIST:
        if (HIWORD(wParam) == LBN_DBLCLK)
            ChooseRow(box);
        return TRUE;
    default: return FALSE;
    }
}

bool ChooseProgramToAdd(wchar_t* name, size_t size)
{
    Chosen = name;
    ChosenSize = size;
    name[0] = L'\0';
    return DialogBoxParamW(GetModuleHandleA(NULL), MAKEINTRESOURCEW(IDD_ADD_PROGRAM), ConfigDialog,
                           AddProgramProc, 0) == IDOK && name[0];
}
