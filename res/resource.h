// Resource ids. The numbers are part of the program's interface: the card
// maker's software and test tools address controls by them.
#pragma once

#define IDI_NORMAL              101
#define IDI_FLASH               104

#define IDD_CONFIGURATION       102
#define IDD_SETTINGS            106

// Configuration dialog
#define IDC_CLOSE               1
#define IDC_ABOUT               2
#define IDC_SETTINGS            3
#define IDC_KEYS_LIST           1000
#define IDC_SLOT0_TYPE          1002
#define IDC_SLOT0_DETAILS       1004
#define IDC_PRESSED_KEY         1005
#define IDC_SLOT1_TYPE          1006
#define IDC_SLOT2_TYPE          1007
#define IDC_SLOT3_TYPE          1008
#define IDC_SLOT1_DETAILS       1009
#define IDC_SLOT2_DETAILS       1010
#define IDC_SLOT3_DETAILS       1011
#define IDC_PROGRAM_PATH        1013
#define IDC_PARAMETERS          1014
#define IDC_BROWSE              1015
#define IDC_WINDOW_CLASS        1016
#define IDC_WINDOW_NAME         1017
#define IDC_MSG_NUMBER          1018
#define IDC_MSG_WPARAM          1019
#define IDC_MSG_LPARAM          1020
#define IDC_SET                 1021
#define IDC_VIRTUAL_KEY         1022
#define IDC_KEY_SHIFT           1023
#define IDC_KEY_CTRL            1024
#define IDC_KEY_ALT             1025
#define IDC_FIND_WINDOW         1026
#define IDC_KEY_WIN             1027
#define IDC_ONLY_IF_FOUND       1030
#define IDC_RESTORE_PREVIOUS    1031
#define IDC_AND_ACTIVE          1033
#define IDC_WHEN_HELD           1040
#define IDC_ACTIONS_FRAME       1041

// Settings dialog
#define IDC_SETTINGS_CLOSE      1
#define IDC_MOUSE_SPEED         1027
#define IDC_TRAY_DOUBLE_CLICK   1029
#define IDC_TEXT_SIZE           1028
#define IDC_OSD_TIMEOUT         1030
#define IDC_OSD_ENABLE          1031
#define IDC_TEXT_COLOR          1032
#define IDC_OPAQUE              1033
#define IDC_START_AT_SIGN_IN    1034

// Tray menu
#define IDM_ABOUT               100
#define IDM_CONFIGURATION       101
#define IDM_EXIT                102
#define IDM_TOGGLE_ACTIVE       103

#define IDC_STATIC              -1
