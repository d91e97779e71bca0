// The drop-down lists "All programs", then each program set by file name;
// its rows carry the set they stand for. Names are sent as UTF-16.
#include "config/bindings_for.h"

#include <windows.h>

#include "config/add_program.h"
#include "core/app_state.h"
#include "core/program_sets.h"
#include "core/router.h"
#include "res/resource.h"

enum { BindingsForSelChange = (CBN_SELCHANGE << 16) | IDC_BINDINGS_FOR, ConfirmSize = 400 };

static int Edited = AllPrograms;
static int (*ShowKeys)();

int EditedSet()
{
    return Edited;
}

static LRESULT SendToList(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageW(ConfigDialog, IDC_BINDINGS_FOR, message, wParam, lParam);
}

static void AddRow(const wchar_t* text, int set)
{
    LRESULT row = SendToList(CB_ADDSTRING, 0, (LPARAM)text);
    if (row >= 0)
        SendToList(CB_SETITEMDATA, (WPARAM)row, (LPARAM)set);
}

// Refills the rows, the sets in order of their names, with Edited chosen.
void ListProgramSets()
{
    SendToList(CB_RESETCONTENT, 0, 0);
    AddRow(L"All programs", AllPrograms);
    bool listed[MaxProgramSets] = {};
    for (;;) {
        int next = AllPrograms;
        for (int i = 0; i < MaxProgramSets; ++i)
            if (ProgramSets[i].inUse && !listed[i] &&
                (next == AllPrograms || lstrcmpiW(ProgramSets[i].name, ProgramSets[next].name) < 0))
                next = i;
        if (next == AllPrograms)
            break;
        listed[next] = true;
        AddRow(ProgramSets[next].name, next);
    }
    LRESULT rows = SendToList(CB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < rows; ++row)
        if ((int)SendToList(CB_GETITEMDATA, (WPARAM)row, 0) == Edited)
            SendToList(CB_SETCURSEL, (WPARAM)row, 0);
    EnableWindow(GetDlgItem(ConfigDialog, IDC_REMOVE_PROGRAM), Edited != AllPrograms);
}

void ShowBindingsOf(int set)
{
    bool known = set >= 0 && set < MaxProgramSets && ProgramSets[set].inUse;
    Edited = known ? set : AllPrograms;
    ListProgramSets();
    ShowKeys();
}

static int ChangeBindingsFor()
{
    LRESULT row = SendToList(CB_GETCURSEL, 0, 0);
    ShowBindingsOf(row < 0 ? AllPrograms : (int)SendToList(CB_GETITEMDATA, (WPARAM)row, 0));
    return 1;
}

static int AddProgram()
{
    wchar_t name[ProgramNameSize];
    if (!ChooseProgramToAdd(name, ProgramNameSize))
        return 1;
    int set = AddProgramSet(name);
    if (set == AllPrograms)
        MessageBoxW(ConfigDialog, L"No more programs can have bindings of their own.", L"Quellon",
                    MB_ICONWARNING);
    else
        ShowBindingsOf(set);
    return 1;
}

static int RemoveProgram()
{
    if (Edited == AllPrograms)
        return 1;
    wchar_t text[ConfirmSize] = L"Remove the bindings for ";
    lstrcatW(text, ProgramSets[Edited].name);
    lstrcatW(text, L"?\n\nIts keys then run the bindings for all programs.");
    if (MessageBoxW(ConfigDialog, text, L"Remove", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return 1;
    RemoveProgramSet(Edited);
    ShowBindingsOf(AllPrograms);
    return 1;
}

void CreateBindingsFor(int (*showKeys)())
{
    ShowKeys = showKeys;
    AddRoute(ConfigDialog, WM_COMMAND, BindingsForSelChange, 0, ChangeBindingsFor);
    AddCommandRoute(ConfigDialog, IDC_ADD_PROGRAM, AddProgram);
    AddCommandRoute(ConfigDialog, IDC_REMOVE_PROGRAM, RemoveProgram);
    ListProgramSets();
}
