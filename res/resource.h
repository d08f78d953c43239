#pragma once
// Resource and control identifiers. Plain numbers, so portable code may use them too.

// Strings
#define IDS_ABOUTBOX 101
#define IDS_SOCKETS_INIT_FAILED 103
#define IDS_RESET_POSITION 104

// Dialogs
#define IDD_TAVREL_DIALOG 102
#define IDD_DIALOG_SETUP 132
#define IDD_DIALOG_TIME 137
#define IDD_ABOUTBOX 147

// Icons
#define IDR_MAINFRAME 128
#define IDI_RECEIVED 129
#define IDI_LISTENING 130
#define IDI_NOT_LISTENING 131
#define IDI_ABOUT 138

// Menus
#define IDR_MENU_POPUP 133
#define ID_SYNC_WITH_STATION 32772

// PNG images
#define IDB_PNG_TIME 134
#define IDB_PNG_SETUP 135
#define IDB_PNG_RESET 136

// Main window controls
#define IDC_LISTEN 1000
#define IDC_RESET 1003
#define IDC_OFFSET 1004
#define IDC_CALCULATE 1005
#define IDC_UPDATE 1006
#define IDC_CLOCK 1007
#define IDC_INDICATOR 1010
#define IDC_SETUP 1011
#define IDC_TIME 1015
#define IDC_STATUS 1016
#define IDC_DECODE_LIST 1192

// NTP time dialog controls ("Get" is IDOK)
#define IDC_SERVER 1017
#define IDC_SET 1019
#define IDC_REPORT 1020
// Setup dialog controls
#define IDC_STRATEGY_MEDIAN 1012
#define IDC_STRATEGY_WEIGHED 1013
#define IDC_STRATEGY_MINMAX 1014
#define IDC_SETUP_SERVER1 1021
#define IDC_SETUP_SERVER2 1022
#define IDC_SETUP_SERVER3 1023
#define IDC_SETUP_DEFAULT 1024
#define IDC_COLOR_TEXT 1026
#define IDC_COLOR_BACK 1027
#define IDC_COLOR_SELECT 1028
#define IDC_COLOR_WARN 1029
#define IDC_UDP_SERVER 1031
#define IDC_UDP_PORT 1032
#define IDC_MAX_ENTRIES 1033
#define IDC_MULTICAST 1034

// About box controls
#define IDC_VERSION_LINE 1030
#define IDC_HOME_LINK 1263
#define IDC_MAIL_LINK 1264

// System menu commands (low four bits clear, as the system menu requires)
#define IDM_ABOUTBOX 0x0010
#define IDM_RESET_POSITION 0x0020
