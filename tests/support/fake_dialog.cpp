// Stand-in Configuration dialog for in-process tests.
#include "tests/support/fake_dialog.h"

#include "config/config_dialog.h"
#include "core/app_state.h"
#include "core/remote_keys.h"
#include "core/router.h"
#include "res/resource.h"

HWND CreateFakeConfigDialog()
{
    HINSTANCE self = GetModuleHandleA(NULL);
    HWND dialog = CreateWindowExA(0, MAKEINTATOM(0x8002), "Configuration", WS_POPUP, 0, 0, 300,
                                  300, NULL, NULL, self, NULL);
    CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 60, 16, dialog,
                    (HMENU)(INT_PTR)IDC_PRESSED_KEY, self, NULL);
    HWND keys = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 10, 40, 80,
                                200, dialog, (HMENU)(INT_PTR)IDC_KEYS_LIST, self, NULL);
    for (int k = 0; k < RemoteKeyCount; ++k)
        SendMessageA(keys, LB_ADDSTRING, 0, (LPARAM)RemoteKeyTable[k].name);
    SendMessageA(keys, LB_SETCURSEL, 0, 0);
    ConfigDialog = dialog;
    // The key presses posted to the dialog reach the real handler.
    SetWindowLongPtrA(dialog, DWLP_DLGPROC, (LONG_PTR)RouteMessage);
    AddPressedKeyRoute();
    return dialog;
}
