// A dialog described the way a resource script describes it: a caption, a
// font, a size in dialog units and its controls in tab order.
#ifndef VANTREL_DISPLAY_DIALOG_TEMPLATE_H
#define VANTREL_DISPLAY_DIALOG_TEMPLATE_H

#include <vantrel/win32/types.h>

class BITPLANEFX;

namespace vtl {

enum class ControlKind : unsigned char {
    kPushButton,
    kDefaultPushButton,
    kCheckBox,     // an auto check box: a click toggles its mark
    kGroupBox,
    kStaticText,   // centred text
    kStaticFrame,  // left-aligned text in a sunken border
    kStaticBitmap, // shows a dialog bitmap at its natural size
    kDropDownList, // a combo box whose list drops below it; not sorted
};

struct DialogItem {
    ControlKind kind;
    int id;           // -1: a static item nobody addresses
    const char* text; // null for a bitmap
    int x, y, cx, cy; // dialog units; a drop-down list's cy is its dropped height
    bool hidden;      // created without WS_VISIBLE
    int bitmap;       // a kStaticBitmap's bitmap id
};

struct DialogTemplate {
    int id;
    const char* caption;
    DWORD style;
    int pointSize;
    const char* faceName;
    int cx, cy; // dialog units
    const DialogItem* items;
    int itemCount;
};

// The library's dialogs and bitmaps, by resource id; null when unknown.
// Bitmaps are 24-bit (PF_RGB24) surfaces made on first use.
const DialogTemplate* findDialogTemplate(int id);
const BITPLANEFX* findDialogBitmap(int id);

} // namespace vtl

#endif
