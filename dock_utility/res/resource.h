// Identifiers of quaylin's resources and dialog controls.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDR_MAINFRAME 128
#define IDD_QUAYLIN_DIALOG 129
#define IDI_QUAYLIN 142
#define IDD_WARN 143
#define IDD_WARN_HDMI 145

#define IDM_ABOUTBOX 0x0010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Main dialog: what the user sees.
#define IDC_BTN_UPGRADE 1024
#define IDC_BTN_EXIT 1025
#define IDC_BTN_CHECK_VERSION 1026
#define IDC_TOOL_VERSION 1027
#define IDC_LOG 1018
#define IDC_LOGO 1029
#define IDC_PROGRESS 1035
#define IDC_PERCENT 1036

// Main dialog: the engineering strip, hidden and cut off at start-up.
#define IDC_ENG_BILLBOARD 1005
#define IDC_ENG_US_HUB 1006
#define IDC_ENG_DS_HUB 1007
#define IDC_ENG_US_PD 1008
#define IDC_ENG_DS_PD 1009
#define IDC_ENG_SALTMERE 1010
#define IDC_ENG_TORV 1011
#define IDC_ENG_CHIP_INFO 1012
#define IDC_ENG_FULL_ERASE 1013
#define IDC_ENG_DOCK_VERSION 1021
#define IDC_ENG_LABEL_HUB 1028
#define IDC_ENG_LABEL_PD 1030
#define IDC_ENG_LABEL_DISPLAY 1037

// Warning dialog.
#define IDC_WARN_CONFIRM 1038
#define IDC_WARN_EXIT 1039
