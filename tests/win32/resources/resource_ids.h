// The ids of the test program's resources (resources.rc), shared by the
// script and the tests.
#ifndef VANTREL_TESTS_WIN32_RESOURCE_IDS_H
#define VANTREL_TESTS_WIN32_RESOURCE_IDS_H

#define IDS_TITLE 1
#define IDS_LONG 2
#define IDS_ACCENTED 3
#define IDS_SECOND_BLOCK 17
#define IDS_LAST_OF_BLOCK 31

#define IDB_COLOURS 101
#define IDB_PALETTE 102
#define IDI_GAME 103
#define IDW_BEEP 104
#define IDR_LEVEL 105
#define IDR_GREETING 106
#define IDD_OPTIONS 107
#define IDD_PLAIN 108

#define IDC_SOUND 1001
#define IDC_DETAIL 1002
#define IDC_LOGO 1003
#define IDC_NAME 1004

#endif
