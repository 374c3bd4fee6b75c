// Dialog templates as data: a resource script's DIALOG statement, with its
// controls and the bitmaps they show.  The same template makes the dialog on
// every system: Vantrel's own dialog manager reads it directly, and on
// Windows it is turned into the binary DLGTEMPLATE the system expects.
#ifndef VANTREL_WIN32_DIALOG_TEMPLATE_H
#define VANTREL_WIN32_DIALOG_TEMPLATE_H

#include <vantrel/win32/types.h>

// The kinds of control a template's item makes (the resource script's
// control statements).
enum {
    VTLDLG_PUSHBUTTON,    // PUSHBUTTON
    VTLDLG_DEFPUSHBUTTON, // DEFPUSHBUTTON
    VTLDLG_AUTOCHECKBOX,  // AUTOCHECKBOX: a click toggles its mark
    VTLDLG_GROUPBOX,      // GROUPBOX
    VTLDLG_CTEXT,         // CTEXT: centred text
    VTLDLG_LTEXTFRAME,    // LTEXT with WS_BORDER: left-aligned text in a sunken border
    VTLDLG_BITMAP,        // CONTROL with SS_BITMAP: a template bitmap at its natural size
    VTLDLG_DROPDOWNLIST,  // COMBOBOX with CBS_DROPDOWNLIST; not sorted
    VTLDLG_LTEXT,         // LTEXT: left-aligned text
};

typedef struct VTLDLGITEM {
    BYTE kind;        // VTLDLG_...
    int id;           // -1: a static item nobody addresses
    LPCSTR text;      // null for a bitmap
    int x, y, cx, cy; // dialog units; a drop-down list's cy is its dropped height
    BOOL hidden;      // created without WS_VISIBLE
    int bitmap;       // a VTLDLG_BITMAP's bitmap id
} VTLDLGITEM;

// A bitmap a template shows: 24 bits per pixel, blue, green and red bytes,
// rows `pitch` bytes apart from the top.
typedef struct VTLDLGBITMAP {
    int width;
    int height;
    DWORD pitch;
    const BYTE* bits;
} VTLDLGBITMAP;

typedef struct VTLDLGTEMPLATE {
    LPCSTR caption;
    DWORD style;
    int pointSize;
    LPCSTR faceName;
    int cx, cy;                // dialog units
    const VTLDLGITEM* items;   // in tab order
    int itemCount;
    // The bitmaps of its VTLDLG_BITMAP items by id, as a module's resources
    // would give them; null (or a null answer) shows nothing.
    const VTLDLGBITMAP* (*findBitmap)(int id);
} VTLDLGTEMPLATE;

#endif
