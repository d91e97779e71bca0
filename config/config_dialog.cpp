// Configuration dialog: the keys list, the four slots of the selected key and
// the details area in which the parameters of a slot are edited. Every edit
// goes straight into the Profile; profile.cfg is written when it is closed.
#include "config/config_dialog.h"

#include <windows.h>

#include "actions/virtual_keys.h"
#include "config/bindings_for.h"
#include "config/find_window.h"
#include "config/program_path.h"
#include "config/settings_dialog.h"
#include "config/slot_details.h"
#include "core/app_state.h"
#include "core/catalogue.h"
#include "core/held_choices.h"
#include "core/pressed_key.h"
#include "core/profile.h"
#include "core/program_sets.h"
#include "core/remote_keys.h"
#include "core/router.h"
#include "core/text.h"
#include "platform/characters.h"
#include "res/resource.h"

// Key index whose slots the dialog shows; 0 at start. Main thread only: a
// key pressed on the remote reaches it as a posted KeyPressedMessage.
static int32_t SelectedKey;
// The set, key and slot whose details were opened last; "Set" stores into them.
static int DetailsSet = AllPrograms;
static int32_t DetailsKey;
static int32_t DetailsSlot;

enum {
    KeysListSelChange = (LBN_SELCHANGE << 16) | IDC_KEYS_LIST,
    PressedKeyTextSize = 64,
};

static const int SlotTypeLists[SlotsPerKey] = {
    IDC_SLOT0_TYPE, IDC_SLOT1_TYPE, IDC_SLOT2_TYPE, IDC_SLOT3_TYPE,
};
static const int SlotDetailsButtons[SlotsPerKey] = {
    IDC_SLOT0_DETAILS, IDC_SLOT1_DETAILS, IDC_SLOT2_DETAILS, IDC_SLOT3_DETAILS,
};

// Every control of the details area, in the order in which they are
// disabled. A change of a slot's type closes the texts and buttons; the
// "Virtual Key" choices stay as they are until the details close whole.
struct DetailsControl {
    int id;
    bool keepsOnTypeChange;
};

static const DetailsControl DetailsControls[] = {
    { IDC_PROGRAM_PATH, false }, { IDC_PARAMETERS, false }, { IDC_BROWSE, false },
    { IDC_SET, false }, { IDC_FIND_WINDOW, false }, { IDC_WINDOW_CLASS, false },
    { IDC_WINDOW_NAME, false }, { IDC_MSG_NUMBER, false }, { IDC_MSG_WPARAM, false },
    { IDC_MSG_LPARAM, false }, { IDC_VIRTUAL_KEY, true }, { IDC_KEY_SHIFT, true },
    { IDC_KEY_ALT, true }, { IDC_KEY_CTRL, true }, { IDC_KEY_WIN, true },
    { IDC_ONLY_IF_FOUND, true }, { IDC_RESTORE_PREVIOUS, true }, { IDC_AND_ACTIVE, true },
};

static void EnableControl(int id, BOOL enable)
{
    EnableWindow(GetDlgItem(ConfigDialog, id), enable);
}

static void EnableControls(const int* ids, size_t count, BOOL enable)
{
    for (size_t i = 0; i < count; ++i)
        EnableControl(ids[i], enable);
}

// The four slot lists and the "Virtual Key" list hold some 360 texts that
// only a shown dialog offers. They are filled as the dialog first comes on
// screen, however it is shown, or as soon as anything here selects one of
// their rows: an idle Quellon does without them. A list never filled has
// no row selected, as one filled and never selected.
static bool ListsFilled;

static void FillLists()
{
    if (ListsFilled)
        return;
    ListsFilled = true;
    for (int type = 0; type < ActionTypeCount; ++type)
        for (int list : SlotTypeLists)
            SendDlgItemMessageA(ConfigDialog, list, CB_ADDSTRING, 0, (LPARAM)ActionCatalogue[type].name);
    for (int v = 0; v < VirtualKeyCount; ++v)
        SendDlgItemMessageA(ConfigDialog, IDC_VIRTUAL_KEY, CB_ADDSTRING, 0, (LPARAM)VirtualKeyTable[v].name);
}

static int FillListsAtFirstShowing()
{
    const WINDOWPOS* pos = (const WINDOWPOS*)CurrentLParam();
    if (pos && (pos->flags & SWP_SHOWWINDOW))
        FillLists();
    return 0;
}

static LRESULT SendToControl(int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(ConfigDialog, id, message, wParam, lParam);
}

// For the lists filled late: every selection of their rows.
static LRESULT SendToList(int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    FillLists();
    return SendToControl(id, message, wParam, lParam);
}

// Disables the whole details area, or (typeChange) what a new type closes.
static void DisableDetails(bool typeChange = false)
{
    for (const DetailsControl& c : DetailsControls)
        if (!typeChange || !c.keepsOnTypeChange)
            EnableControl(c.id, FALSE);
}

// A row number for a list; a value that is no row of it selects nothing.
static WPARAM ListRow(int32_t value, int32_t rows)
{
    return (WPARAM)(value >= 0 && value < rows ? value : -1);
}

// A record of the set being edited. Reading makes nothing; a slot of a
// program set gets a record of its own at its first edit.
static const ActionRecord& RecordOf(int32_t key, int32_t slot)
{
    return ProgramSetRecord(EditedSet(), key, slot);
}

static ActionRecord& RecordToEdit(int set, int32_t key, int32_t slot)
{
    return ProgramSetRecordForEdit(set, key, slot);
}

// A "Long press" key's slots do two things: the frame says which.
static void ShowHeldChoice(int32_t key)
{
    HeldChoice choice = HeldChoiceOf(ProgramSetHeldChoices(EditedSet()), key);
    SetDlgItemTextA(ConfigDialog, IDC_ACTIONS_FRAME,
                    key != 0 && choice == ChoiceLongPress ? "Actions: 1, 2 short press; 3, 4 long press"
                                                          : "Actions");
    // "POWER" has no choice: it starts the maker's application once per press.
    EnableControl(IDC_WHEN_HELD, key != 0);
    SendToControl(IDC_WHEN_HELD, CB_SETCURSEL, key != 0 ? (WPARAM)choice : (WPARAM)-1, 0);
}

static int ChangeHeldChoice()
{
    LRESULT row = SendToControl(IDC_WHEN_HELD, CB_GETCURSEL, 0, 0);
    if (SelectedKey != 0 && row >= 0 && row < HeldChoiceCount)
        // One store, read at a press's first code.
        ProgramSetHeldChoicesForEdit(EditedSet()).key[SelectedKey] = (uint8_t)row;
    ShowHeldChoice(SelectedKey);
    return 1;
}

// Takes the key list's selection as SelectedKey and shows that key.
static int RefreshSelectedKey()
{
    LRESULT row = SendToControl(IDC_KEYS_LIST, LB_GETCURSEL, 0, 0);
    if (row >= 0 && row < RemoteKeyCount)
        SelectedKey = (int32_t)row;
    int32_t key = SelectedKey;
    DisableDetails();
    ShowHeldChoice(key);
    if (key == 0) {
        // "POWER" always starts the card maker's application: nothing to bind.
        for (int slot = 0; slot < SlotsPerKey; ++slot) {
            EnableControl(SlotTypeLists[slot], FALSE);
            SendToList(SlotTypeLists[slot], CB_SETCURSEL, ActionNone, 0);
        }
        EnableControls(SlotDetailsButtons, SlotsPerKey, FALSE);
        return 1;
    }
    EnableControls(SlotTypeLists, SlotsPerKey, TRUE);
    for (int slot = 0; slot < SlotsPerKey; ++slot) {
        int32_t type = RecordOf(key, slot).type;
        SendToList(SlotTypeLists[slot], CB_SETCURSEL, ListRow(type, ActionTypeCount), 0);
        EnableControl(SlotDetailsButtons[slot], HasSlotDetails(type));
    }
    return 1;
}

static int ChangeSlotType(int slot)
{
    DisableDetails(true);
    LRESULT row = SendToControl(SlotTypeLists[slot], CB_GETCURSEL, 0, 0);
    if (row >= 0 && row < ActionTypeCount)
        // One 32-bit store, read by the dispatcher.
        RecordToEdit(EditedSet(), SelectedKey, slot).type = (int32_t)row;
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
    DetailsSet = EditedSet();
    DetailsKey = SelectedKey;
    DetailsSlot = slot;
    const ActionRecord& r = RecordOf(DetailsKey, slot);
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
        SendToList(IDC_VIRTUAL_KEY, CB_SETCURSEL, (WPARAM)(INT_PTR)shown.virtualKeyRow, 0);
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
    static SlotDetails details;    // 3.5 KB, main thread only
    ReadDetailsView(&details);
    ActionRecord& r = RecordToEdit(DetailsSet, DetailsKey, DetailsSlot);
    // A program path that names no file as stored is refused, and the
    // details stay open to choose again.
    HWND path = GetDlgItem(ConfigDialog, IDC_PROGRAM_PATH);
    if (r.type == ActionExecuteProgram &&
        !TakeProgramPath(ConfigDialog, path, details.programPath, ProgramPathWidth))
        return 1;
    DisableDetails();
    StoreDetailsInRecord(details, &r);
    return 1;
}

static int BrowseProgram()
{
    BrowseProgramInto(ConfigDialog, GetDlgItem(ConfigDialog, IDC_PROGRAM_PATH), ProgramPathWidth);
    return 1;
}

// Each text box takes no more than its record field holds, so that what is
// shown is what "Set" stores. Texts put in by program are cut by their
// writers: the limit only stops typing and pasting.
static void LimitDetailsTexts()
{
    static const struct {
        int id;
        int width;
    } Limits[] = {
        { IDC_PROGRAM_PATH, ProgramPathWidth }, { IDC_PARAMETERS, ParametersWidth },
        { IDC_WINDOW_CLASS, WindowClassWidth }, { IDC_WINDOW_NAME, WindowNameWidth },
    };
    for (const auto& l : Limits)
        SendToControl(l.id, EM_LIMITTEXT, (WPARAM)(l.width - 1), 0);
}

// Saves profile.cfg and the program sets, then hides the dialog.
static int CloseConfigDialog()
{
    // A failure is shown by the save itself, once; the dialog hides all the same.
    SaveProgramSets(!SaveProfile());
    ShowWindow(ConfigDialog, SW_HIDE);
    return 1;
}

// A key pressed on the remote: its name (or the code that names no key) in
// "Pressed Key", with the program whose own bindings it ran, and in the
// visible dialog its row and slots in the set the press used.
static int ShowPressedKey()
{
    uint32_t key;
    int known, set;
    TakePressedKey(&key, &known, &set);
    if (known != KeyPressKnown || key >= RemoteKeyCount) {
        SetDlgItemInt(ConfigDialog, IDC_PRESSED_KEY, (UINT)key, FALSE);
        return 1;
    }
    bool own = set >= 0 && set < MaxProgramSets && ProgramSets[set].inUse;
    // Key names are ASCII.
    wchar_t text[PressedKeyTextSize] = L"";
    for (int i = 0; RemoteKeyTable[key].name[i]; ++i)
        text[i] = (wchar_t)RemoteKeyTable[key].name[i];
    if (own) {
        const wchar_t* const parts[] = { L" (", ProgramSets[set].name, L")" };
        for (const wchar_t* part : parts)
            AppendWholeCharacters(text, PressedKeyTextSize, part);
    }
    SetWindowTextW(GetDlgItem(ConfigDialog, IDC_PRESSED_KEY), text);
    if (IsWindowVisible(ConfigDialog)) {
        SendToControl(IDC_KEYS_LIST, LB_SETCURSEL, (WPARAM)key, 0);
        if (EditedSet() != (own ? set : AllPrograms))
            ShowBindingsOf(own ? set : AllPrograms);    // shows the key too
        else
            RefreshSelectedKey();
    }
    return 1;
}

void AddPressedKeyRoute()
{
    AddRoute(ConfigDialog, KeyPressedMessage, 0, 0, ShowPressedKey);
}

static void AddSelChangeRoute(int id, RouteHandler handler)
{
    AddRoute(ConfigDialog, WM_COMMAND, (WPARAM)((CBN_SELCHANGE << 16) | id), 0, handler);
}

void CreateConfigDialog()
{
    AddCommandRoute(ConfigDialog, IDC_SETTINGS, ShowSettingsDialog);
    AddCommandRoute(ConfigDialog, IDC_CLOSE, CloseConfigDialog);
    AddRoute(ConfigDialog, WM_SYSCOMMAND, SC_CLOSE, 0, CloseConfigDialog);

    for (int k = 0; k < RemoteKeyCount; ++k)
        SendToControl(IDC_KEYS_LIST, LB_ADDSTRING, 0, (LPARAM)RemoteKeyTable[k].name);
    SendToControl(IDC_KEYS_LIST, LB_SETCURSEL, 0, 0);
    AddRoute(ConfigDialog, WM_COMMAND, KeysListSelChange, 0, RefreshSelectedKey);
    AddPressedKeyRoute();

    AddRoute(ConfigDialog, WM_WINDOWPOSCHANGING, 0, 0, FillListsAtFirstShowing);
    for (const char* name : HeldChoiceNames)
        SendToControl(IDC_WHEN_HELD, CB_ADDSTRING, 0, (LPARAM)name);
    EnableControl(IDC_WHEN_HELD, FALSE);

    DisableDetails();
    EnableControls(SlotTypeLists, SlotsPerKey, FALSE);

    AddSelChangeRoute(IDC_SLOT0_TYPE, ChangeSlot0Type);
    AddSelChangeRoute(IDC_SLOT1_TYPE, ChangeSlot1Type);
    AddSelChangeRoute(IDC_SLOT2_TYPE, ChangeSlot2Type);
    AddSelChangeRoute(IDC_SLOT3_TYPE, ChangeSlot3Type);
    AddSelChangeRoute(IDC_WHEN_HELD, ChangeHeldChoice);
    AddCommandRoute(ConfigDialog, IDC_SLOT0_DETAILS, ShowSlot0Details);
    AddCommandRoute(ConfigDialog, IDC_SLOT1_DETAILS, ShowSlot1Details);
    AddCommandRoute(ConfigDialog, IDC_SLOT2_DETAILS, ShowSlot2Details);
    AddCommandRoute(ConfigDialog, IDC_SLOT3_DETAILS, ShowSlot3Details);

    EnableControls(SlotDetailsButtons, SlotsPerKey, FALSE);

    AddCommandRoute(ConfigDialog, IDC_SET, StoreSlotDetails);
    AddCommandRoute(ConfigDialog, IDC_BROWSE, BrowseProgram);
    AddCommandRoute(ConfigDialog, IDC_FIND_WINDOW, StartFindWindow);
    AddFindWindowRoutes();

    LimitDetailsTexts();
    CreateBindingsFor(RefreshSelectedKey);
}
