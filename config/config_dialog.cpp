// Configuration dialog: key list, the dialog's buttons and its close paths.
// Editing the slots is not offered yet: the dialog shows keys as they arrive.
#include "config/config_dialog.h"

#include <windows.h>

#include "config/settings_dialog.h"
#include "core/profile.h"
#include "core/remote_keys.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/router.h"
#include "shell/tray.h"

volatile int32_t SelectedKey;

enum { KeysListSelChange = (LBN_SELCHANGE << 16) | IDC_KEYS_LIST };

int RefreshSelectedKey()
{
    LRESULT row = SendDlgItemMessageA(ConfigDialog, IDC_KEYS_LIST, LB_GETCURSEL, 0, 0);
    if (row >= 0 && row < RemoteKeyCount)
        SelectedKey = (int32_t)row;
    return 1;
}

int CloseConfigDialog()
{
    SaveProfile();
    ShowWindow(ConfigDialog, SW_HIDE);
    return 1;
}

void CreateConfigDialog()
{
    AddCommandRoute(ConfigDialog, IDC_ABOUT, ShowAboutBox);
    AddCommandRoute(ConfigDialog, IDC_SETTINGS, ShowSettingsDialog);
    AddCommandRoute(ConfigDialog, IDC_CLOSE, CloseConfigDialog);
    AddRoute(ConfigDialog, WM_SYSCOMMAND, SC_CLOSE, 0, CloseConfigDialog);

    HWND keys = GetDlgItem(ConfigDialog, IDC_KEYS_LIST);
    for (int k = 0; k < RemoteKeyCount; ++k)
        SendMessageA(keys, LB_ADDSTRING, 0, (LPARAM)RemoteKeyTable[k].name);
    SendMessageA(keys, LB_SETCURSEL, 0, 0);
    AddRoute(ConfigDialog, WM_COMMAND, KeysListSelChange, 0, RefreshSelectedKey);
}
