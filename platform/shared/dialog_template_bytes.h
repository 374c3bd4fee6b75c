// The binary DLGTEMPLATE the system's dialog manager reads, made from a
// template given as data.  Built on every system so that its bytes can be
// checked anywhere; only Windows hands them to the system.
#ifndef VANTREL_PLATFORM_SHARED_DIALOG_TEMPLATE_BYTES_H
#define VANTREL_PLATFORM_SHARED_DIALOG_TEMPLATE_BYTES_H

#include <vantrel/win32/dialog_template.h>

#include <cstdint>
#include <vector>

namespace vtl {

// The control styles of the system's classes, as a resource compiler gives
// them (the values are the system's; <windows.h> is not on every system).
namespace dialog_styles {
constexpr uint32_t kPushButton = 0x0000;    // BS_PUSHBUTTON
constexpr uint32_t kDefPushButton = 0x0001; // BS_DEFPUSHBUTTON
constexpr uint32_t kAutoCheckBox = 0x0003;  // BS_AUTOCHECKBOX
constexpr uint32_t kGroupBox = 0x0007;      // BS_GROUPBOX
constexpr uint32_t kLeftText = 0x0000;      // SS_LEFT
constexpr uint32_t kCentredText = 0x0001;   // SS_CENTER
constexpr uint32_t kBitmap = 0x000E;        // SS_BITMAP
constexpr uint32_t kDropDownList = 0x0003;  // CBS_DROPDOWNLIST
constexpr uint32_t kVerticalScroll = 0x00200000; // WS_VSCROLL, for the dropped list
// The predefined classes by atom.
constexpr uint16_t kButtonClass = 0x0080;
constexpr uint16_t kStaticClass = 0x0082;
constexpr uint16_t kComboBoxClass = 0x0085;
} // namespace dialog_styles

// The control class atom and style an item of `kind` is made with (hidden
// items lack WS_VISIBLE).
struct DialogItemClass {
    uint16_t atom;
    uint32_t style;
};
DialogItemClass dialogItemClass(const VTLDLGITEM& item);

// The template in the system's layout: a DLGTEMPLATE header with DS_SETFONT
// and the template's face and point size, then one DLGITEMTEMPLATE per item,
// each on a 4-byte boundary, classes by atom and texts in UTF-16 (the
// template's texts are read as Latin-1).  A bitmap item has an empty title:
// its image is set once the dialog exists.  Words, so that the storage is
// aligned as the system requires.
std::vector<uint16_t> dialogTemplateBytes(const VTLDLGTEMPLATE& dialogTemplate);

} // namespace vtl

#endif
