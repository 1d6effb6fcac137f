// Identifiers shared by quizmora.rc and the code. Plain #defines: windres reads this file.
#ifndef QUIZMORA_RESOURCE_IDS_H
#define QUIZMORA_RESOURCE_IDS_H

// Dialog templates and the menu.
#define IDD_ABOUT 100
#define IDR_MAINMENU 128
#define IDD_MAINEDITOR 129
#define IDD_SETTINGS 213
#define IDD_VERSIONS 220
#define IDD_FIND 230

// Icons (16 x 16, 16 colours, with mask); 128 is the program icon.
#define IDI_PROGRAM 128
#define IDI_PREV_QUESTION 203
#define IDI_ADD_ANSWER 205
#define IDI_DELETE_ANSWER 206
#define IDI_ADD_QUESTION 207
#define IDI_DELETE_QUESTION 208
#define IDI_CLEAN_FIELDS 209
#define IDI_NEXT_QUESTION 210
#define IDI_COPY_QUESTION 211
#define IDI_PASTE_QUESTION 212
#define IDI_GOTO_QUESTION 214
#define IDI_UPDATE_QUESTION 215
// The icon Windows shows for .qzm files; the installer names it by this number.
#define IDI_EXAM_DOCUMENT 130

// Controls of the main editor window (dialog 129).
#define IDC_STATUS_LEFT 1000
#define IDC_STATUS_RIGHT 1001
#define IDC_QUESTION_GROUP 1002
#define IDC_QUESTION_TEXT 1003
#define IDC_TYPE_GROUP 1004
#define IDC_TYPE_ONE_CHOICE 1005
#define IDC_TYPE_MULTIPLE_CHOICE 1006
#define IDC_ANSWER_GROUP 1007
#define IDC_ANSWER_TEXT 1008
#define IDC_ANSWER_LIST 1009
#define IDC_PREV_QUESTION 1010
#define IDC_NEXT_QUESTION 1011
#define IDC_ADD_ANSWER 1012
#define IDC_DELETE_ANSWER 1013
#define IDC_ADD_QUESTION 1014
#define IDC_CLEAN_FIELDS 1015
#define IDC_DELETE_QUESTION 1016
#define IDC_COPY_QUESTION 1017
#define IDC_PASTE_QUESTION 1018
#define IDC_QUESTION_NUMBER 1019
#define IDC_GOTO_QUESTION 1021
#define IDC_QUESTION_LABEL 1022
#define IDC_UPDATE_QUESTION 1024
#define IDC_TYPE_FLASH_CARD 1025

// Controls of the Settings dialog (213).
#define IDC_SETTINGS_TITLE 1019
#define IDC_SETTINGS_AUTHOR 1020
#define IDC_SETTINGS_EMAIL 1026
#define IDC_SETTINGS_WEB 1027
#define IDC_SETTINGS_DESCRIPTION 1028
#define IDC_SETTINGS_MODE 1030

// Controls of the About dialog (100).
#define IDC_ABOUT_BUILD 1023
#define IDC_ABOUT_LINK 1029

// Controls of the Printable Versions dialog (220).
#define IDC_VERSIONS_COUNT 1040
#define IDC_VERSIONS_QUESTIONS 1041
#define IDC_VERSIONS_CHOICES 1042
#define IDC_VERSIONS_BOTH 1043
#define IDC_VERSIONS_KEYS 1044

// Controls of the Find box (230).
#define IDC_FIND_TEXT 1060
#define IDC_FIND_MATCH_CASE 1061

// The size grip the resize layout adds to the main window.
#define IDC_SIZE_GRIP 0xE801

// Menu commands.
#define ID_FILE_NEW_EXAM 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 32773
#define ID_FILE_SETTINGS 32776
#define ID_FILE_IMPORT_OLD 32779
#define ID_FILE_UPLOAD_WEB 32778
#define ID_FILE_UPLOAD_POCKETPC 32780
#define ID_FILE_PRINT_VERSIONS 32781
#define ID_FILE_ADD_FROM_TOOLS 32783
#define ID_FILE_EXPORT_TO_TOOLS 32784
#define ID_FILE_PRINT_SHEET 32785
#define ID_FILE_PRINT_SHEET_WITH_ANSWERS 32786
#define ID_FILE_EXIT 32772
#define ID_HELP_ABOUT 32775
#define ID_APP_ABOUT 57664
// Ctrl+G: the question number box, its text selected (a shortcut, not a menu item).
#define ID_FOCUS_QUESTION_NUMBER 32782
#define ID_EDIT_UNDO 32790
#define ID_EDIT_REDO 32791
#define ID_EDIT_FIND 32792
#define ID_EDIT_FIND_NEXT 32793
#define ID_EDIT_MOVE_UP 32794
#define ID_EDIT_MOVE_DOWN 32795

#endif
