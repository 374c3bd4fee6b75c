// The palette messages the window system sends, for whoever realises a
// palette (GDI's RealizePalette).
#ifndef VANTREL_SEAM_PALETTE_MESSAGES_H
#define VANTREL_SEAM_PALETTE_MESSAGES_H

#include <vantrel/win32/types.h>

namespace vtl {

// A window's palette was realised into the system palette and changed it:
// on a palette display (8 bits) every top-level window of the process hears
// WM_PALETTECHANGED with that window as wParam, the window itself included,
// as Windows sends it.  Nothing on a display of more colours.
void paletteRealized(HWND window);

} // namespace vtl

#endif
