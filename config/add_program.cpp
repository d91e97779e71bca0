// The "Add a program" box: one row per program with a visible window, its
// file name and the title of its first window, or "Browse..." for any
// executable. Names are UTF-16 throughout: an executable may be named
// outside the ANSI code page.
#include "config/add_program.h"

#include <windows.h>
#include <commdlg.h>
#include <string.h>

#include "core/app_state.h"
#include "core/program_sets.h"
#include "platform/late_dlls.h"
#include "platform/program_names.h"
#include "res/resource.h"

enum { MaxChoices = 64, TitleSize = 80, RowSize = ProgramNameSize + TitleSize + 4, BrowseSize = 1024 };

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
    lstrcpynW(row, name, RowSize);
    lstrcatW(row, L"  \x2013  ");
    lstrcatW(row, title);
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
    LRESULT row = SendDlgItemMessageW(box, IDC_PROGRAM_LIST, LB_GETCURSEL, 0, 0);
    if (row < 0)
        return;
    LRESULT choice = SendDlgItemMessageW(box, IDC_PROGRAM_LIST, LB_GETITEMDATA, (WPARAM)row, 0);
    if (choice >= 0 && choice < ChoiceCount)
        Choose(box, Choices[choice].name);
}

// The set is found by the executable's file name alone.
static void BrowseExecutable(HWND box)
{
    static wchar_t file[BrowseSize];
    OPENFILENAMEW request;
    ZeroMemory(&request, sizeof request);
    request.lStructSize = sizeof request;
    request.hwndOwner = box;
    request.lpstrFilter = L"Programs\0*.exe\0All files\0*.*\0";
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = BrowseSize;
    request.lpstrTitle = L"Select program";
    request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST;
    file[0] = L'\0';
    if (!LateGetOpenFileNameW(&request))
        return;
    file[BrowseSize - 1] = L'\0';
    const wchar_t* last = wcsrchr(file, L'\\');
    const wchar_t* name = last ? last + 1 : file;
    if (name[0] && wcslen(name) < ProgramNameSize)
        Choose(box, name);
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
    return DialogBoxParamW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDD_ADD_PROGRAM), ConfigDialog,
                           AddProgramProc, 0) == IDOK && name[0];
}
