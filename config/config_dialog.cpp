// Configuration dialog: the keys list, the four slots of the selected key and
// the details area in which the parameters of a slot are edited. Every edit
// goes straight into the Profile; profile.cfg is written when it is closed.
#include "config/config_dialog.h"

#include <windows.h>
#include <commdlg.h>

#include "actions/virtual_keys.h"
#include "config/find_window.h"
#include "config/settings_dialog.h"
#include "config/slot_details.h"
#include "core/catalogue.h"
#include "core/profile.h"
#include "core/remote_keys.h"
#include "core/text.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/router.h"
#include "shell/tray.h"

volatile int32_t SelectedKey;
// The slot whose details were opened last; "Set" stores into it.
static int32_t SelectedSlot;

enum {
    KeysListSelChange = (LBN_SELCHANGE << 16) | IDC_KEYS_LIST,
    ProgramFileSize = 512,
};

static const int SlotTypeLists[SlotsPerKey] = {
    IDC_SLOT0_TYPE, IDC_SLOT1_TYPE, IDC_SLOT2_TYPE, IDC_SLOT3_TYPE,
};
static const int SlotDetailsButtons[SlotsPerKey] = {
    IDC_SLOT0_DETAILS, IDC_SLOT1_DETAILS, IDC_SLOT2_DETAILS, IDC_SLOT3_DETAILS,
};

// Every control of the details area, in the order in which they are disabled.
static const int DetailsControls[] = {
    IDC_PROGRAM_PATH, IDC_PARAMETERS, IDC_BROWSE, IDC_SET, IDC_FIND_WINDOW,
    IDC_WINDOW_CLASS, IDC_WINDOW_NAME, IDC_MSG_NUMBER, IDC_MSG_WPARAM, IDC_MSG_LPARAM,
    IDC_VIRTUAL_KEY, IDC_KEY_SHIFT, IDC_KEY_ALT, IDC_KEY_CTRL, IDC_KEY_WIN,
    IDC_ONLY_IF_FOUND, IDC_RESTORE_PREVIOUS, IDC_AND_ACTIVE,
};

// The open-file request, filled once: its buffer keeps the last chosen
// program, which the next browse offers again.
static OPENFILENAMEA ProgramFileRequest;
static_assert(sizeof(void*) != 4 || sizeof(OPENFILENAMEA) == 88, "the request of Windows 2000 and later");
static char ProgramFile[ProgramFileSize];
static const char ProgramFileFilter[] = " Applications \0 *.exe\0 All files \0 *.*\0";

static void EnableControl(int id, BOOL enable)
{
    EnableWindow(GetDlgItem(ConfigDialog, id), enable);
}

static void EnableControls(const int* ids, size_t count, BOOL enable)
{
    for (size_t i = 0; i < count; ++i)
        EnableControl(ids[i], enable);
}

static LRESULT SendToControl(int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(ConfigDialog, id, message, wParam, lParam);
}

static void DisableDetails()
{
    EnableControls(DetailsControls, sizeof DetailsControls / sizeof DetailsControls[0], FALSE);
}

// A row number for a list; a value that is no row of it selects nothing.
static WPARAM ListRow(int32_t value, int32_t rows)
{
    return (WPARAM)(value >= 0 && value < rows ? value : -1);
}

static ActionRecord& RecordOf(int32_t key, int32_t slot)
{
    return Profile[key].slot[slot];
}

int RefreshSelectedKey()
{
    LRESULT row = SendToControl(IDC_KEYS_LIST, LB_GETCURSEL, 0, 0);
    if (row >= 0 && row < RemoteKeyCount)
        SelectedKey = (int32_t)row;
    int32_t key = SelectedKey;
    DisableDetails();
    if (key == 0) {
        // "POWER" always starts the card maker's application: nothing to bind.
        for (int slot = 0; slot < SlotsPerKey; ++slot) {
            EnableControl(SlotTypeLists[slot], FALSE);
            SendToControl(SlotTypeLists[slot], CB_SETCURSEL, ActionNone, 0);
        }
        EnableControls(SlotDetailsButtons, SlotsPerKey, FALSE);
        return 1;
    }
    EnableControls(SlotTypeLists, SlotsPerKey, TRUE);
    for (int slot = 0; slot < SlotsPerKey; ++slot) {
        int32_t type = RecordOf(key, slot).type;
        SendToControl(SlotTypeLists[slot], CB_SETCURSEL, ListRow(type, ActionTypeCount), 0);
        EnableControl(SlotDetailsButtons[slot], HasSlotDetails(type));
    }
    return 1;
}

static int ChangeSlotType(int slot)
{
    static const int Closed[] = {
        IDC_PROGRAM_PATH, IDC_PARAMETERS, IDC_BROWSE, IDC_WINDOW_CLASS, IDC_WINDOW_NAME,
        IDC_MSG_NUMBER, IDC_MSG_WPARAM, IDC_MSG_LPARAM, IDC_SET, IDC_FIND_WINDOW,
    };
    EnableControls(Closed, sizeof Closed / sizeof Closed[0], FALSE);
    LRESULT row = SendToControl(SlotTypeLists[slot], CB_GETCURSEL, 0, 0);
    if (row >= 0 && row < ActionTypeCount)
        RecordOf(SelectedKey, slot).type = (int32_t)row;    // one 32-bit store, read by the dispatcher
    EnableControl(SlotDetailsButtons[slot], HasSlotDetails((int32_t)row));
    return 1;
}

static int ChangeSlot0Type() { return ChangeSlotType(0); }
static int ChangeSlot1Type() { return ChangeSlotType(1); }
static int ChangeSlot2Type() { return ChangeSlotType(2); }
static int ChangeSlot3Type() { return ChangeSlotType(3); }

static void ShowWindowTexts(const SlotDetails& shown)
{
    EnableControl(IDC_WINDOW_CLASS, TRUE);
    EnableControl(IDC_WINDOW_NAME, TRUE);
    SetDlgItemTextA(ConfigDialog, IDC_WINDOW_CLASS, shown.windowClass);
    SetDlgItemTextA(ConfigDialog, IDC_WINDOW_NAME, shown.windowName);
}

static int ShowSlotDetails(int slot)
{
    EnableControl(IDC_SET, TRUE);
    EnableControl(IDC_FIND_WINDOW, TRUE);
    SelectedSlot = slot;
    const ActionRecord& r = RecordOf(SelectedKey, slot);
    static SlotDetails shown;    // 3.5 KB, main thread only
    FormatDetailsOfRecord(r, &shown);
    switch (r.type) {
    case ActionExecuteProgram:
        EnableControl(IDC_PROGRAM_PATH, TRUE);
        EnableControl(IDC_PARAMETERS, TRUE);
        EnableControl(IDC_BROWSE, TRUE);
        SetDlgItemTextA(ConfigDialog, IDC_PROGRAM_PATH, shown.programPath);
        SetDlgItemTextA(ConfigDialog, IDC_PARAMETERS, shown.parameters);
        break;
    case ActionSendMessage: {
        ShowWindowTexts(shown);
        static const int Numbers[] = { IDC_MSG_NUMBER, IDC_MSG_WPARAM, IDC_MSG_LPARAM };
        EnableControls(Numbers, 3, TRUE);
        SetDlgItemTextA(ConfigDialog, IDC_MSG_NUMBER, shown.number);
        SetDlgItemTextA(ConfigDialog, IDC_MSG_WPARAM, shown.wParam);
        SetDlgItemTextA(ConfigDialog, IDC_MSG_LPARAM, shown.lParam);
        break;
    }
    case ActionVirtualKey:
        EnableControl(IDC_VIRTUAL_KEY, TRUE);
        for (const KeyFlagBox& box : KeyFlagBoxes)
            EnableControl(box.id, TRUE);
        SendToControl(IDC_VIRTUAL_KEY, CB_SETCURSEL, (WPARAM)(INT_PTR)shown.virtualKeyRow, 0);
        for (const KeyFlagBox& box : KeyFlagBoxes)
            CheckDlgButton(ConfigDialog, box.id, (shown.keyFlags & box.bit) ? BST_CHECKED : BST_UNCHECKED);
        ShowWindowTexts(shown);
        break;
    default:
        break;
    }
    return 1;
}

static int ShowSlot0Details() { return ShowSlotDetails(0); }
static int ShowSlot1Details() { return ShowSlotDetails(1); }
static int ShowSlot2Details() { return ShowSlotDetails(2); }
static int ShowSlot3Details() { return ShowSlotDetails(3); }

static void ReadDetailsText(int id, char* text)
{
    text[0] = '\0';
    GetDlgItemTextA(ConfigDialog, id, text, DetailsTextSize);
}

static void ReadDetailsView(SlotDetails* d)
{
    ReadDetailsText(IDC_PROGRAM_PATH, d->programPath);
    ReadDetailsText(IDC_PARAMETERS, d->parameters);
    ReadDetailsText(IDC_WINDOW_CLASS, d->windowClass);
    ReadDetailsText(IDC_WINDOW_NAME, d->windowName);
    ReadDetailsText(IDC_MSG_NUMBER, d->number);
    ReadDetailsText(IDC_MSG_WPARAM, d->wParam);
    ReadDetailsText(IDC_MSG_LPARAM, d->lParam);
    LRESULT row = SendToControl(IDC_VIRTUAL_KEY, CB_GETCURSEL, 0, 0);
    d->virtualKeyRow = row >= 0 && row < VirtualKeyCount ? (int32_t)row : NoVirtualKeyRow;
    d->keyFlags = 0;
    for (const KeyFlagBox& box : KeyFlagBoxes)
        if (IsDlgButtonChecked(ConfigDialog, box.id) == BST_CHECKED)
            d->keyFlags |= box.bit;
}

static int StoreSlotDetails()
{
    DisableDetails();
    static SlotDetails details;    // 3.5 KB, main thread only
    ReadDetailsView(&details);
    StoreDetailsInRecord(details, &RecordOf(SelectedKey, SelectedSlot));
    return 1;
}

static int BrowseProgram()
{
    // A failed dialog (a path longer than the buffer) may leave a size in
    // the buffer: the last chosen path is kept instead.
    char kept[ProgramFileSize];
    CopyText(kept, sizeof kept, ProgramFile);
    if (GetOpenFileNameA(&ProgramFileRequest)) {
        ProgramFile[ProgramFileSize - 1] = '\0';
        SetDlgItemTextA(ConfigDialog, IDC_PROGRAM_PATH, ProgramFile);
    } else {
        CopyText(ProgramFile, sizeof ProgramFile, kept);
    }
    return 1;
}

static void PrepareProgramFileRequest()
{
    ZeroMemory(&ProgramFileRequest, sizeof ProgramFileRequest);
    ProgramFileRequest.lStructSize = sizeof ProgramFileRequest;
    ProgramFileRequest.hwndOwner = ConfigDialog;
    ProgramFileRequest.hInstance = GetModuleHandleA(NULL);
    ProgramFileRequest.lpstrFilter = ProgramFileFilter;
    ProgramFileRequest.nFilterIndex = 1;
    ProgramFileRequest.lpstrFile = ProgramFile;
    ProgramFileRequest.nMaxFile = ProgramFileSize;
    ProgramFileRequest.lpstrTitle = "Select program";
    ProgramFileRequest.lpstrInitialDir = "C:\\";
    ProgramFileRequest.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
}

int CloseConfigDialog()
{
    SaveProfile();    // a failure is shown by the save itself; the dialog hides all the same
    ShowWindow(ConfigDialog, SW_HIDE);
    return 1;
}

static void AddSelChangeRoute(int id, RouteHandler handler)
{
    AddRoute(ConfigDialog, WM_COMMAND, (WPARAM)((CBN_SELCHANGE << 16) | id), 0, handler);
}

void CreateConfigDialog()
{
    AddCommandRoute(ConfigDialog, IDC_ABOUT, ShowAboutBox);
    AddCommandRoute(ConfigDialog, IDC_SETTINGS, ShowSettingsDialog);
    AddCommandRoute(ConfigDialog, IDC_CLOSE, CloseConfigDialog);
    AddRoute(ConfigDialog, WM_SYSCOMMAND, SC_CLOSE, 0, CloseConfigDialog);

    for (int k = 0; k < RemoteKeyCount; ++k)
        SendToControl(IDC_KEYS_LIST, LB_ADDSTRING, 0, (LPARAM)RemoteKeyTable[k].name);
    SendToControl(IDC_KEYS_LIST, LB_SETCURSEL, 0, 0);
    AddRoute(ConfigDialog, WM_COMMAND, KeysListSelChange, 0, RefreshSelectedKey);

    for (int type = 0; type < ActionTypeCount; ++type)
        for (int list : SlotTypeLists)
            SendToControl(list, CB_ADDSTRING, 0, (LPARAM)ActionCatalogue[type]);
    for (int v = 0; v < VirtualKeyCount; ++v)
        SendToControl(IDC_VIRTUAL_KEY, CB_ADDSTRING, 0, (LPARAM)VirtualKeyTable[v].name);

    EnableControl(IDC_VIRTUAL_KEY, FALSE);
    for (const KeyFlagBox& box : KeyFlagBoxes)
        EnableControl(box.id, FALSE);
    EnableControls(SlotTypeLists, SlotsPerKey, FALSE);

    AddSelChangeRoute(IDC_SLOT0_TYPE, ChangeSlot0Type);
    AddSelChangeRoute(IDC_SLOT1_TYPE, ChangeSlot1Type);
    AddSelChangeRoute(IDC_SLOT2_TYPE, ChangeSlot2Type);
    AddSelChangeRoute(IDC_SLOT3_TYPE, ChangeSlot3Type);
    AddCommandRoute(ConfigDialog, IDC_SLOT0_DETAILS, ShowSlot0Details);
    AddCommandRoute(ConfigDialog, IDC_SLOT1_DETAILS, ShowSlot1Details);
    AddCommandRoute(ConfigDialog, IDC_SLOT2_DETAILS, ShowSlot2Details);
    AddCommandRoute(ConfigDialog, IDC_SLOT3_DETAILS, ShowSlot3Details);

    EnableControls(SlotDetailsButtons, SlotsPerKey, FALSE);
    static const int Fields[] = {
        IDC_PROGRAM_PATH, IDC_PARAMETERS, IDC_BROWSE, IDC_SET, IDC_FIND_WINDOW,
        IDC_WINDOW_CLASS, IDC_WINDOW_NAME, IDC_MSG_NUMBER, IDC_MSG_WPARAM, IDC_MSG_LPARAM,
    };
    EnableControls(Fields, sizeof Fields / sizeof Fields[0], FALSE);

    AddCommandRoute(ConfigDialog, IDC_SET, StoreSlotDetails);
    AddCommandRoute(ConfigDialog, IDC_BROWSE, BrowseProgram);
    AddCommandRoute(ConfigDialog, IDC_FIND_WINDOW, StartFindWindow);

    PrepareProgramFileRequest();
}
