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

// Icons
#define IDI_MENSURO 128
#define IDI_VERSION 155

// Cursors
#define IDC_TARGET 132
#define IDC_TARGET_CTRL 133

// Commands
#define ID_APP_ABOUT 57664

// Controls without an id of their own
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
