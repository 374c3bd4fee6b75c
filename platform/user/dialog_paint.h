// Drawing a dialog and its controls into 32-bit 0x00RRGGBB pixels in the
// look players know from desktop dialogs: a grey face, bevelled buttons,
// sunken fields, etched group frames and greyed text for disabled controls.
#ifndef VANTREL_PLATFORM_USER_DIALOG_PAINT_H
#define VANTREL_PLATFORM_USER_DIALOG_PAINT_H

#include <vantrel/win32/types.h>

#include <cstdint>
#include <vector>

namespace vtl {

// A dialog's pixels: width x height 32-bit 0x00RRGGBB values, rows `pitch`
// bytes apart.  Drawing is clipped to them.
struct DialogCanvas {
    std::vector<uint32_t> pixels;
    int width = 0;
    int height = 0;
    DWORD pitch() const { return static_cast<DWORD>(width) * 4; }
    unsigned char* bytes() { return reinterpret_cast<unsigned char*>(pixels.data()); }
};

struct PaintedControl {
    HWND hwnd;
    RECT rect; // dialog client pixels
};

// `dc` draws text into `canvas` with the dialog's font selected.  Controls
// are drawn in order, open drop-down lists last, over everything.
void drawDialog(DialogCanvas& canvas, HDC dc, const std::vector<PaintedControl>& controls);

} // namespace vtl

#endif
