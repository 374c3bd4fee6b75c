// The Windows-shaped dialog manager: modal dialogs made from a template in
// memory, their controls (push buttons, auto check boxes, group boxes,
// static text and bitmaps, drop-down lists) and the messages and
// notifications dialog procedures were written against.
//
// Templates are a resource script's DIALOG statement as data (VTLDLGTEMPLATE
// below), not the binary DLGTEMPLATE of a module's resources: the calls that
// take one carry that type, so code written for the binary form does not
// compile against them by mistake.
//
// The dialog procedure has the usual contract: it sees WM_INITDIALOG (lParam
// = the caller's parameter) after every control exists and before the
// dialog shows, then every message; returning 0 leaves the message to the
// dialog's default processing (painting, and DefWindowProcA for the rest).
// WM_CLOSE's default does nothing: closing is the procedure's decision.
// The modal loop gives the keyboard its dialog meaning: Tab and Shift+Tab
// between controls, Enter for the default button or the focused push
// button, Escape for Cancel.
#ifndef VANTREL_WIN32_DIALOG_H
#define VANTREL_WIN32_DIALOG_H

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

#include <vantrel/win32/dialog_template.h>

// ---- Calls -----------------------------------------------------------------

// Makes a dialog from `dialogTemplate` and shows it (WM_INITDIALOG done); no
// loop runs.  The instance is not used: dialogs and their controls are
// windows of the library's own classes.  Null when a window cannot be made
// or the procedure destroyed its dialog during WM_INITDIALOG.
VANTREL_API HWND CreateDialogIndirectParamA(HINSTANCE instance, const VTLDLGTEMPLATE* dialogTemplate, HWND parent,
                                            DLGPROC proc, LPARAM param);

// Makes the dialog and runs its modal loop until EndDialog, then destroys
// it; the parent, if any, is disabled meanwhile.  Returns the EndDialog
// result, or -1 when the dialog could not be made or went away without one
// (destroyed, or WM_QUIT, which is posted again for the caller's loop).
VANTREL_API INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, const VTLDLGTEMPLATE* dialogTemplate, HWND parent,
                                            DLGPROC proc, LPARAM param);

// Ends a modal dialog with `result` once the current message is handled.
// FALSE for a window that is not a dialog.
VANTREL_API BOOL EndDialog(HWND dialog, INT_PTR result);

#define CreateDialogIndirectParam CreateDialogIndirectParamA
#define DialogBoxIndirectParam DialogBoxIndirectParamA

#endif
