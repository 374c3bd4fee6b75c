// The display backend beneath the DirectDraw-shaped device.
//
// The device itself (platform/ddraw/) keeps every surface in ordinary
// memory and does all blits, locks and flips there; the desktop's format and
// size come from the window system.  A backend only switches the real display
// in and out of full screen and shows finished primary-surface pixels.  It
// comes from the same backend as the window system's (see
// platform/backends/backend_table.h).
#ifndef VANTREL_PLATFORM_DDRAW_DISPLAY_BACKEND_H
#define VANTREL_PLATFORM_DDRAW_DISPLAY_BACKEND_H

#include <vantrel/win32/types.h>

#include "platform/ddraw/pixel_layout.h"

namespace vtl {

// Pixels handed to a backend to show.  `palette` (256 entries) is set for
// 8-bit layouts; null shows the 3-3-2 colours.
struct PresentedImage {
    const unsigned char* pixels;
    LONG pitch;
    LONG width;
    LONG height;
    PixelLayout layout;
    const PALETTEENTRY* palette;
};

class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;

    // Full screen at width x height for `window`; DD_OK or a DDERR_* code.
    virtual HRESULT enterFullscreen(HWND window, DWORD width, DWORD height) = 0;
    virtual void leaveFullscreen() = 0;

    // Full screen: the whole primary surface, scaled to the real display.
    // `waitForVerticalBlank` is set for a flip whose flags ask for the
    // vertical blank (a flip without DDFLIP_NOVSYNC); other presents (an
    // unlocked or blitted-to primary, a palette change) show at once.  A
    // backend without a real screen ignores it.
    virtual void presentFullscreen(HWND window, const PresentedImage& primary, bool waitForVerticalBlank) = 0;
    // Window: the windowed primary covers the desktop; `client` is the
    // window's client area in those (screen) coordinates.  Never waits for
    // the vertical blank.
    virtual void presentWindow(HWND window, const PresentedImage& desktop, const RECT& client) = 0;
};

// The process-wide backend, chosen on first use.
DisplayBackend& displayBackend();

} // namespace vtl

#endif
