#pragma once
// The test pane's dialog template: the left pane of the Savers page with the minutes spin edit.

#define IDD_SHELL_PANE 200
#define IDC_FOLDER_TREE 1001
#define IDC_SPLITTER 1002
#define IDC_FILE_LIST 1003
#define IDC_MINUTES 1004
#define IDC_MINUTES_ARROWS 1005
#define IDC_MINUTES_LABEL 1006
#define IDC_COUNT 1007
#define IDC_COUNT_ARROWS 1008
