// Key-press handling: shows the key, flashes the tray icon, runs the actions.
#include "remote/key_press.h"

#include "config/config_dialog.h"
#include "core/dispatcher.h"
#include "core/remote_keys.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/tray.h"

static void HandleRemoteKey(WPARAM wParam)
{
    // The reminder sends a 32-bit code; compare it whole.
    int32_t code = (int32_t)(uint32_t)wParam;
    int k = FindRemoteKey(code);
    if (k == NoRemoteKey) {
        SetDlgItemInt(ConfigDialog, IDC_PRESSED_KEY, (UINT)code, FALSE);
        return;
    }
    FlashTrayIcon();
    SetDlgItemTextA(ConfigDialog, IDC_PRESSED_KEY, RemoteKeyTable[k].name);
    if (IsWindowVisible(ConfigDialog)) {
        SendMessageA(GetDlgItem(ConfigDialog, IDC_KEYS_LIST), LB_SETCURSEL, (WPARAM)k, 0);
        RefreshSelectedKey();
    }
    ExecuteKeyActions(k);
}

LRESULT CALLBACK KeyPressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RemoteKeyMessage)
        HandleRemoteKey(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}
