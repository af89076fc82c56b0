// Resource ids shared by the code and the .rc files.
#pragma once

// Dialogs
#define IDD_ABOUTBOX 100
#define IDD_MENSURO 102

// Strings
#define IDS_APP_DESCRIPTION 101
#define IDS_BAR_TOP 102
#define IDS_BAR_BOTTOM 103
#define IDS_BAR_LEFT 104
#define IDS_BAR_RIGHT 105
#define IDS_CONFIRM_CHILD_RESIZE 106
#define IDS_INPUT_ERROR 107
#define IDS_COPY_FAILED 108
#define IDS_COPY_DONE 109
#define IDS_SECONDS 110
#define IDS_SECONDS_FRACTION 111

// Menus
#define IDR_CONTEXT_MENU 129

// Icons (16 x 16 menu images from 151 on)
#define IDI_MENSURO 128
#define IDI_EXIT 151
#define IDI_TASKTRAY 153
#define IDI_TOPMOST 154
#define IDI_VERSION 155
#define IDI_MENU_ICON 157
#define IDI_COPY 158
#define IDI_ADD_LINE 159
#define IDI_DELETE_LINE 160
#define IDI_LINE_LIST 161
#define IDI_DELETE_ALL_LINES 162
#define IDI_SIZE 163
#define IDI_COPY_SETTING 164

// Cursors
#define IDC_TARGET 132
#define IDC_TARGET_CTRL 133

// Commands of the context menu
#define ID_ADD_LINE 32771
#define ID_SETTINGS 32772
#define ID_TOPMOST 32773
#define ID_LINE_LIST 32774
#define ID_COPY 32775
#define ID_DELETE_ALL_LINES 32776
#define ID_SIZE_640 32779
#define ID_SIZE_800 32780
#define ID_SIZE_1024 32781
#define ID_SIZE_1280 32782
#define ID_SIZE_320 32783
#define ID_SIZE_1600 32784
#define ID_DELETE_LINE 32785
#define ID_TASKTRAY 32786
#define ID_MENU_ICON 32787
#define ID_COPY_SETTING 32788
#define ID_APP_ABOUT 57664

// Settings dialog (settings/)
#define IDD_SETTINGS 130

// Line list dialog (linelist/)
#define IDD_LINE_LIST 131

// Copy Setting dialog (copy/)
#define IDD_COPY_SETTING 133

// Controls without an id of their own
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
