// The controls of the library's dialogs: push buttons, auto check boxes,
// group boxes, static text and bitmaps, and drop-down lists.  Each is a child
// window of the dialog whose state lives in its user data; the dialog draws
// them all (dialog_paint) from that state.
//
// Behaviour a player relies on:
// - buttons and check boxes click when the left button is released over
//   them after going down over them, and on Space; a check box toggles its
//   mark, then both report BN_CLICKED to the dialog (BM_CLICK does the same);
// - a drop-down list opens on a click or F4 / Alt+Down, follows the pointer,
//   and takes the item clicked or the one highlighted on Enter; Escape or a
//   click elsewhere closes it unchanged; Up, Down, Home, End, Page Up and
//   Page Down move the selection, open or not.  A changed selection is
//   reported as CBN_SELCHANGE;
// - disabled controls get no mouse input (the window system passes it to
//   the dialog) and are skipped by Tab.
#ifndef VANTREL_PLATFORM_USER_DIALOG_CONTROLS_H
#define VANTREL_PLATFORM_USER_DIALOG_CONTROLS_H

#include <vantrel/win32/dialog.h>

#include <string>
#include <vector>

namespace vtl {

// A template item's kind (VTLDLG_...), as the controls know it.
enum class ControlKind : unsigned char {
    kPushButton = VTLDLG_PUSHBUTTON,
    kDefaultPushButton = VTLDLG_DEFPUSHBUTTON,
    kCheckBox = VTLDLG_AUTOCHECKBOX,
    kGroupBox = VTLDLG_GROUPBOX,
    kStaticText = VTLDLG_CTEXT,
    kStaticFrame = VTLDLG_LTEXTFRAME,
    kStaticBitmap = VTLDLG_BITMAP,
    kDropDownList = VTLDLG_DROPDOWNLIST,
    kLeftText = VTLDLG_LTEXT,
};

struct ControlState {
    ControlKind kind = ControlKind::kStaticText;
    bool checked = false;  // check boxes
    bool tracking = false; // the left button went down on it and is held
    bool pressed = false;  // tracking with the pointer over it
    const VTLDLGBITMAP* bitmap = nullptr; // static bitmaps
    // Drop-down lists.
    std::vector<std::string> items;
    std::vector<LONG_PTR> itemData;
    int selected = -1;
    bool dropped = false;
    int hotItem = -1;
    int itemHeight = 0;   // pixels per item in the open list
    int listHeight = 0;   // the most pixels the open list may take
};

// Creates a control as a visible (unless item.hidden) child of `dialog` at
// `rect` (dialog client pixels).  For drop-down lists `rect` is the closed
// box; `listHeight` and `itemHeight` size the open list.
// `bitmap` is a static bitmap's picture (null shows nothing).
HWND createControl(HWND dialog, const VTLDLGITEM& item, const VTLDLGBITMAP* bitmap, const RECT& rect, int itemHeight,
                   int listHeight);

// The state of a control window; null for any other window.
ControlState* controlState(HWND control);

// Registers a window class of the library's own (its instance, the arrow
// cursor, no background); false when it cannot be registered.
bool registerLibraryClass(const char* name, WNDPROC proc);

// Whether the control takes the keyboard focus through Tab.
bool isTabStop(ControlKind kind);

// The open list of a drop-down list, in the control's client coordinates.
RECT droppedListRect(HWND control, const ControlState& state);

// Closes an open list without changing the selection.
void closeDropDown(HWND control);

} // namespace vtl

#endif
