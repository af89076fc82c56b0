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
// Strings of the features beyond the first design (123 on)
#define IDS_SAVE_PICTURE_TITLE 123
#define IDS_SAVE_PICTURE_FAILED 124
#define IDS_PNG_FILTER 125
// What is wrong with a typed calibration length.
#define IDS_CALIBRATE_EMPTY 126
#define IDS_CALIBRATE_NOT_NUMBER 127
#define IDS_CALIBRATE_NOT_POSITIVE 128
#define IDS_CALIBRATE_OUT_OF_RANGE 129
// The scale's sources, one a line in ScaleSource order; the measurement table's words, tab-separated.
#define IDS_SCALE_SOURCES 130
#define IDS_MEASUREMENT_LABELS 131
// Global keys and the command line
#define IDS_HOTKEYS_TAKEN 132
#define IDS_HOTKEY_DUPLICATE 133
#define IDS_USAGE 134
#define IDS_ACTION_RULER_TO_POINTER 135
#define IDS_ACTION_LOUPE 136
#define IDS_ACTION_LINES_AT_EDGES 137
#define IDS_ACTION_COPY 138
// What a start says about its command line; the other picture types of "Save Picture".
#define IDS_UNKNOWN_ARGUMENT 139
#define IDS_SAVE_NEEDS_FILE 140
#define IDS_PICTURE_TYPE_UNKNOWN 141
// BMP, JPEG and TIFF, one a line, in that order (PNG is IDS_PNG_FILTER).
#define IDS_PICTURE_FILTERS 142
// The Measure mode's name beside its global key.
#define IDS_KEY_MEASURE 143
// The Measure mode's words: the tools' names and the table's headers, tab-separated in the
// order of MeasureTableLabels; its hint, with the tool's name (%ls) and the tolerance (%d).
#define IDS_MEASURE_LABELS 144
#define IDS_MEASURE_HINT 145

// Menus
#define IDR_CONTEXT_MENU 129

// Icons (menu images from 151 on, each at 16, 24 and 32 pixels)
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
#define IDI_LOUPE 165
#define IDI_LINES_AT_EDGES 166
#define IDI_SNAP_TO_EDGES 167
#define IDI_SAVE_PICTURE 168
#define IDI_COPY_MEASUREMENTS 169
#define IDI_KEYS 170
#define IDI_MEASURE 171

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
// Commands beyond the first design (32790 on)
#define ID_LOUPE 32790
#define ID_LINES_AT_EDGES 32791
#define ID_SNAP_TO_EDGES 32792
#define ID_SAVE_PICTURE 32793
// The "Unit" submenu's radio items, consecutive in the order of Unit (ruler/Units.h).
#define ID_UNIT_PIXELS 32794
#define ID_UNIT_LOGICAL_PIXELS 32795
#define ID_UNIT_MILLIMETRES 32796
#define ID_UNIT_CENTIMETRES 32797
#define ID_UNIT_INCHES 32798
#define ID_UNIT_POINTS 32799
#define ID_UNIT_PERCENT 32800
#define ID_CALIBRATE 32801
#define ID_COPY_MEASUREMENTS 32802
#define ID_KEYS 32803
// Not in the menu: "Lines at Edges" at the pointer, which a global key posts to the ruler
#define ID_LINES_AT_POINTER 32804
// "Measure": starts the Measure mode, or ends it when it runs (the global key posts it too)
#define ID_MEASURE 32805
#define ID_APP_ABOUT 57664

// Settings dialog (settings/)
#define IDD_SETTINGS 130
#define IDC_UNIT_PIXEL 1001
#define IDC_UNIT_MM 1002
#define IDC_PITCH_S 1003
#define IDC_PITCH_M 1004
#define IDC_PITCH_L 1005
#define IDC_COLOR_S 1006
#define IDC_COLOR_M 1007
#define IDC_COLOR_L 1008
#define IDC_COLOR_TEXT 1009
#define IDC_COLOR_BACK 1010
#define IDC_LEFT_BAR 1011
#define IDC_RIGHT_BAR 1012
#define IDC_TOP_BAR 1013
#define IDC_BOTTOM_BAR 1014
#define IDC_SCALE_SIZE 1015
#define IDC_LINE_SIZE 1016
#define IDC_LINE_COLOR 1017
#define IDC_INDIVIDUAL 1018
#define IDC_WIDTH 1019
#define IDC_HEIGHT 1020
#define IDC_LINE_TEXT_COLOR 1021
#define IDC_TOOLTIP 1022
#define IDC_BAR_TABS 1029
#define IDC_UPDATE 1030
#define IDC_TAB_FRAME 1031
// Commands of the colour popup's cells (first + cell index); the button takes the whole range.
#define ID_COLOR_CELL_FIRST 1312
#define ID_COLOR_CELL_LAST 1337

// Line list dialog (linelist/)
#define IDD_LINE_LIST 131
#define IDC_LIST_X 1020
#define IDC_LIST_Y 1021
#define IDC_ADD_X 1022
#define IDC_UPDATE_X 1023
#define IDC_DELETE_X 1024
#define IDC_VALUE_X 1025
#define IDC_TEMPLATE_NAME 1026
#define IDC_TEMPLATE_ADD 1027
#define IDC_SPIN_X 1028
#define IDC_ADD_Y 1029
#define IDC_UPDATE_Y 1030
#define IDC_DELETE_Y 1031
#define IDC_VALUE_Y 1032
#define IDC_SPIN_Y 1033
#define IDC_TEMPLATE_DELETE 1034
// Why a template action left the file alone.
#define IDS_TEMPLATE_NAME_REFUSED 121
#define IDS_TEMPLATE_FILE_UNCHANGED 122

// Copy Setting dialog (copy/)
#define IDD_COPY_SETTING 133
#define IDC_COPY_TIMER 1032
#define IDC_INCLUDE_CURSOR 1033
#define IDC_INCLUDE_SCALE 1034
#define IDC_SHOW_MESSAGE 1035
#define IDC_OFFSET_X 1036
#define IDC_OFFSET_X_SPIN 1037
#define IDC_OFFSET_Y 1038
#define IDC_OFFSET_Y_SPIN 1039
#define IDC_OFFSET_X_LABEL 1040
#define IDC_OFFSET_Y_LABEL 1041
#define IDC_OFFSET_LABEL 1042
#define IDC_INCLUDE_MEASUREMENTS 1043

// Calibrate dialog (measure/)
#define IDD_CALIBRATE 134
#define IDC_CALIBRATE_MONITOR 1044
#define IDC_CALIBRATE_SCALE 1045
#define IDC_CALIBRATE_WIDTH 1046
#define IDC_CALIBRATE_LENGTH 1047
#define IDC_CALIBRATE_UNIT 1048
// Also the dialog's result when the calibration is to be forgotten.
#define IDC_CALIBRATE_RESET 1049
// Keys dialog (shell/): per action a hotkey control, a Win box and a mark for a key in use
#define IDD_KEYS 135
#define IDC_KEY_RULER 1050
#define IDC_KEY_LOUPE 1051
#define IDC_KEY_EDGES 1052
#define IDC_KEY_COPY 1053
#define IDC_WIN_RULER 1054
#define IDC_WIN_LOUPE 1055
#define IDC_WIN_EDGES 1056
#define IDC_WIN_COPY 1057
#define IDC_TAKEN_RULER 1058
#define IDC_TAKEN_LOUPE 1059
#define IDC_TAKEN_EDGES 1060
#define IDC_TAKEN_COPY 1061
#define IDC_KEYS_DEFAULT 1062
#define IDC_KEY_MEASURE 1063
#define IDC_WIN_MEASURE 1064
#define IDC_TAKEN_MEASURE 1065

// Controls without an id of their own
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
