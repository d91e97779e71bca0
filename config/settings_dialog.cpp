// Settings dialog: edits Settings and OsdSettings live, every change of a
// control goes into its record at once; closing writes settings.ini.
#include "config/settings_dialog.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include "config/settings.h"
#include "config/startup_shortcut.h"
#include "core/app_state.h"
#include "core/router.h"
#include "osd/osd.h"
#include "platform/late_dlls.h"
#include "res/resource.h"

// A trackbar, its range and ticks, the field it edits and what makes a new
// value take effect at once (NULL: its readers take it at the next use).
struct TrackbarSetting {
    int id;
    int32_t minimum;
    int32_t maximum;
    int32_t ticFrequency;
    int32_t* field;
    void (*apply)();
};

enum { MouseTrackbar, TextSizeTrackbar, TimeoutTrackbar, OpacityTrackbar, TrackbarCount };

static const TrackbarSetting Trackbars[TrackbarCount] = {
    { IDC_MOUSE_SPEED, 0, 100, 10, &Settings.MouseMultiplier, NULL },
    { IDC_TEXT_SIZE, 1, 10, 1, &OsdSettings.TextSize, CreateOsdFont },
    { IDC_OSD_TIMEOUT, 1, 6, 1, &OsdSettings.Timeout, NULL },
    { IDC_OPAQUE, 1, 32, 4, &OsdSettings.Opaque, ApplyOsdOpacity },
};

// The controls that only mean something while the OSD is enabled.
static const int OsdControls[] = { IDC_TEXT_COLOR, IDC_TEXT_SIZE, IDC_OSD_TIMEOUT, IDC_OPAQUE };

// The colour picker's row of custom colours, kept for the run, never stored.
static COLORREF CustomColors[16];

static HWND Control(int id)
{
    return GetDlgItem(SettingsDialog, id);
}

// Every notification of a trackbar (each step of a drag, each key, the end)
// comes here; the trackbar is the message's lParam.
static int TrackbarMoved()
{
    HWND trackbar = (HWND)CurrentLParam();
    for (const TrackbarSetting& t : Trackbars) {
        if (Control(t.id) != trackbar)
            continue;
        *t.field = (int32_t)SendMessageA(trackbar, TBM_GETPOS, 0, 0);
        if (t.apply)
            t.apply();
    }
    return 1;
}

static void SetUpTrackbar(const TrackbarSetting& t)
{
    HWND trackbar = Control(t.id);
    SendMessageA(trackbar, TBM_SETRANGEMIN, FALSE, t.minimum);
    SendMessageA(trackbar, TBM_SETRANGEMAX, FALSE, t.maximum);
    SendMessageA(trackbar, TBM_SETTICFREQ, (WPARAM)t.ticFrequency, 0);
    AddRoute(SettingsDialog, WM_HSCROLL, 0, (LPARAM)trackbar, TrackbarMoved);
}

// Shows the field; a value outside the range sits at the nearer end, and the
// field keeps it until the trackbar is moved (setting it does not notify).
static void ShowTrackbar(const TrackbarSetting& t)
{
    SendMessageA(Control(t.id), TBM_SETPOS, TRUE, *t.field);
}

static int IsChecked(int id)
{
    return IsDlgButtonChecked(SettingsDialog, id) == BST_CHECKED;
}

static void EnableOsdControls()
{
    for (int id : OsdControls)
        EnableWindow(Control(id), OsdSettings.Enable != 0);
}

static int TrayDoubleClickChanged()
{
    Settings.TrayDoubleClick = IsChecked(IDC_TRAY_DOUBLE_CLICK);
    return 1;
}

static int OsdEnableChanged()
{
    OsdSettings.Enable = IsChecked(IDC_OSD_ENABLE);
    EnableOsdControls();
    return 1;
}

// OSD windows on screen keep their colour until they are painted again.
static int ChooseOsdColor()
{
    CHOOSECOLORA request;
    ZeroMemory(&request, sizeof request);
    request.lStructSize = sizeof request;
    request.hwndOwner = SettingsDialog;
    request.rgbResult = (COLORREF)OsdSettings.Color;
    request.lpCustColors = CustomColors;
    request.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (LateChooseColorA(&request))
        OsdSettings.Color = (int32_t)request.rgbResult;
    return 1;
}

int ShowSettingsDialog()
{
    ShowTrackbar(Trackbars[MouseTrackbar]);
    CheckDlgButton(SettingsDialog, IDC_TRAY_DOUBLE_CLICK,
                   Settings.TrayDoubleClick ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(SettingsDialog, IDC_OSD_ENABLE, OsdSettings.Enable ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(Control(IDC_TEXT_COLOR), OsdSettings.Enable != 0);
    for (int i = TextSizeTrackbar; i < TrackbarCount; ++i) {
        ShowTrackbar(Trackbars[i]);
        EnableWindow(Control(Trackbars[i].id), OsdSettings.Enable != 0);
    }
    ShowStartupCheckBox();
    ShowWindow(SettingsDialog, SW_SHOW);
    return 1;
}

// Saves settings.ini, then hides the dialog.
static int CloseSettingsDialog()
{
    SaveSettings();
    ShowWindow(SettingsDialog, SW_HIDE);
    return 1;
}

void CreateSettingsDialog()
{
    SetUpTrackbar(Trackbars[MouseTrackbar]);
    AddCommandRoute(SettingsDialog, IDC_SETTINGS_CLOSE, CloseSettingsDialog);
    AddRoute(SettingsDialog, WM_SYSCOMMAND, SC_CLOSE, 0, CloseSettingsDialog);
    // Escape: the dialog manager's command 2, which no control of this
    // dialog has; it closes as "Close" does.
    AddCommandRoute(SettingsDialog, IDCANCEL, CloseSettingsDialog);
    AddCommandRoute(SettingsDialog, IDC_TRAY_DOUBLE_CLICK, TrayDoubleClickChanged);
    AddCommandRoute(SettingsDialog, IDC_OSD_ENABLE, OsdEnableChanged);
    AddCommandRoute(SettingsDialog, IDC_TEXT_COLOR, ChooseOsdColor);
    for (int i = TextSizeTrackbar; i < TrackbarCount; ++i)
        SetUpTrackbar(Trackbars[i]);
    AddStartupCheckBox();
}
