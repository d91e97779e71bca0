// Settings dialog: shown from the Configuration dialog, saved when closed.
// Its controls do not edit the settings yet; settings.ini does.
#include "config/settings_dialog.h"

#include <windows.h>

#include "config/settings.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/router.h"

int ShowSettingsDialog()
{
    ShowWindow(SettingsDialog, SW_SHOW);
    return 1;
}

int CloseSettingsDialog()
{
    SaveSettings();
    ShowWindow(SettingsDialog, SW_HIDE);
    return 1;
}

void CreateSettingsDialog()
{
    AddCommandRoute(SettingsDialog, IDC_SETTINGS_CLOSE, CloseSettingsDialog);
    AddRoute(SettingsDialog, WM_SYSCOMMAND, SC_CLOSE, 0, CloseSettingsDialog);
}
