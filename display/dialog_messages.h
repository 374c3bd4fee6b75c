// The dialog manager's vocabulary, with the values games' dialog procedures
// were written against: dialog styles, control messages and notifications.
// Internal: the library's own dialogs and their tests use them.
#ifndef VANTREL_DISPLAY_DIALOG_MESSAGES_H
#define VANTREL_DISPLAY_DIALOG_MESSAGES_H

#include <vantrel/win32/window.h>

typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

// Dialog styles.
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_CENTER 0x0800L

// Button messages, states and notifications.
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_CLICK 0x00F5
#define BST_UNCHECKED 0
#define BST_CHECKED 1
#define BN_CLICKED 0

// Combo box messages and notifications.
#define CB_ERR (-1)
#define CB_ADDSTRING 0x0143
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_RESETCONTENT 0x014B
#define CB_SETCURSEL 0x014E
#define CB_SHOWDROPDOWN 0x014F
#define CB_GETITEMDATA 0x0150
#define CB_SETITEMDATA 0x0151
#define CB_GETDROPPEDSTATE 0x0157
#define CBN_SELCHANGE 1

#endif
