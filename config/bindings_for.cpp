// The drop-down lists "All programs", then each program set by file name;
// its rows carry the set they stand for. Names are sent as UTF-16.
#include "config/bindings_for.h"

#include <windows.h>

#include "config/add_program.h"
#include "core/app_state.h"
#include "core/program_sets.h"
#include "core/router.h"
#include "platform/characters.h"
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
    return SendMessageW(GetDlgItem(ConfigDialog, IDC_BINDINGS_FOR), message, wParam, lParam);
}

// The drop-down sorts the sets by name; "All programs" goes first.
void ListProgramSets()
{
    SendToList(CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < MaxProgramSets; ++i)
        if (ProgramSets[i].inUse)
            SendToList(CB_SETITEMDATA, (WPARAM)SendToList(CB_ADDSTRING, 0, (LPARAM)ProgramSets[i].name), i);
    SendToList(CB_INSERTSTRING, 0, (LPARAM)L"All programs");
    SendToList(CB_SETITEMDATA, 0, AllPrograms);
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
    if (set != AllPrograms) {
        ShowBindingsOf(set);
        return 1;
    }
    // With fewer sets than the most, only memory can have been short.
    MessageBoxA(ConfigDialog, ProgramSetsInUse >= MaxProgramSets
                                  ? "No more programs can have bindings of their own."
                                  : "There is not enough memory for more bindings.",
                "Quellon", MB_ICONWARNING);
    return 1;
}

static int RemoveProgram()
{
    if (Edited == AllPrograms)
        return 1;
    wchar_t text[ConfirmSize] = L"Remove the bindings for ";
    AppendWholeCharacters(text, ConfirmSize, ProgramSets[Edited].name);
    AppendWholeCharacters(text, ConfirmSize, L"?");
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
