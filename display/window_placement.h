// The game's window in windowed mode: the desktop depth it shows at, and its
// frame sized and centred for the display, kept inside the work area.
#ifndef VANTREL_DISPLAY_WINDOW_PLACEMENT_H
#define VANTREL_DISPLAY_WINDOW_PLACEMENT_H

#include <vantrel/win32/types.h>

namespace vtl {

// BITSPIXEL x PLANES of the screen, kept to 8 bits.
unsigned char desktopDepth();

// Gives the window a caption, system menu and minimise box (no popup
// style), sizes its frame around a width x height client area, centres it on
// the screen, takes it out of the topmost band, and moves its left and top
// edges into the work area when they lie outside it.  The window system has
// no menu bars, so the frame never allows for one.
void placeGameWindow(HWND window, DWORD width, DWORD height);

} // namespace vtl

#endif
