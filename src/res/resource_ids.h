// Identifiers of the resources inside the executable, shared by the resource
// script and the code.
#pragma once

#define IDI_PROGRAM 101

// Images: each the first of four sizes, for 96, 120, 144 and 192 DPI, which
// follow it in that order (DpiScale::ImageId picks one).
#define IDB_CLOSE_GLYPH 106
#define IDB_MINIMIZE_GLYPH 110
#define IDB_MAXIMIZE_GLYPH 114
#define IDB_RESTORE_GLYPH 118
#define IDB_WORDMARK 129
#define IDB_COMBO_CHEVRONS 144
#define IDB_CHECK_TICKED 153
#define IDB_CHECK_EMPTY 157
#define IDB_EXPANDER_UP 161
#define IDB_EXPANDER_DOWN 165

#define IDD_SETTING_PANEL 137
#define IDD_INSTALL_GUIDE 139
#define IDD_STATUS_PANEL 142
#define IDD_SUCCESS_PANEL 149
#define IDD_CLIENT_VALIDATOR 172

// Settings panel
#define IDC_INSTALL 133
#define IDC_ACCEPT_BOX 134
#define IDC_ACCEPT_LABEL 135
#define IDC_SETTINGS_LABEL 136
#define IDC_SETTINGS_EXPANDER 138
#define IDC_FOLDER_LABEL 140
#define IDC_LANGUAGE_BOX 141
#define IDC_FOLDER_EDIT 143
#define IDC_BROWSE 148
#define IDC_LICENSE_LINK 152
#define IDC_LANGUAGE_LABEL 174
#define IDC_ASSOCIATION_LABEL 175
#define IDC_ASSOCIATION_BOX 176

// Status panel
#define IDC_PROGRESS_BAR 105
#define IDC_STATUS_LABEL 122
#define IDC_PERCENT_LABEL 123
#define IDC_SLIDE_SHOW 170
#define IDC_TIME_LABEL 173

// Success panel
#define IDC_START_NOW 1
#define IDC_LAUNCH_BOX 150
#define IDC_LAUNCH_LABEL 151

// Validator
#define IDC_VALIDATOR_PROGRESS 171
