// Drawing a dialog and its controls into a 32-bit (PF_RGB32) surface in the
// look players know from desktop dialogs: a grey face, bevelled buttons,
// sunken fields, etched group frames and greyed text for disabled controls.
#ifndef VANTREL_DISPLAY_DIALOG_PAINT_H
#define VANTREL_DISPLAY_DIALOG_PAINT_H

#include <vantrel/win32/types.h>

#include <vector>

class BITPLANEFX;

namespace vtl {

struct PaintedControl {
    HWND hwnd;
    RECT rect; // dialog client pixels
};

// `dc` draws text into `canvas` with the dialog's font selected.  Controls
// are drawn in order, open drop-down lists last, over everything.
void drawDialog(BITPLANEFX& canvas, HDC dc, const std::vector<PaintedControl>& controls);

// The colour of the dialog's face (0x00RRGGBB).
constexpr DWORD kDialogFace = 0xD4D0C8;

} // namespace vtl

#endif
