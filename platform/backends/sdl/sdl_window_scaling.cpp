// How large the SDL video device shows a framed window (VANTREL_SCALE), where
// it places the native window, and the picture a scaled window shows the
// game's client area as (sdl_picture.h).
#include "platform/backends/sdl/sdl_video.h"

#include "platform/backends/sdl/sdl_picture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vtl {
namespace {

// The room a framed window's decorations take around its client area:
// the frame the scale was chosen to leave room for, or the one the
// window manager draws where that is wider.
RECT decorationRoom(const Window& w)
{
    const RECT documented = frameFor(WS_OVERLAPPEDWINDOW, 0, false);
    const RECT& drawn = w.screenFrame;
    return RECT{std::max(documented.left, drawn.left), std::max(documented.top, drawn.top),
                std::max(documented.right, drawn.right), std::max(documented.bottom, drawn.bottom)};
}

// A client area's start along one axis of the work area [start, start +
// length), moved in so that it stays inside with `before` and `after`
// pixels of decorations around it; where those do not fit as well, the
// client area alone is kept inside: the game's pixels matter more than
// its frame.
int keepInside(int at, int size, int start, int length, int before, int after)
{
    if (size + before + after > length) {
        before = 0;
        after = 0;
    }
    return std::max(start + before, std::min(at, start + length - after - size));
}

} // namespace

// VANTREL_SCALE for a framed window of this client size: a whole number
// forces that multiple; "auto" takes the largest that fits the work
// area with the documented frame around it; anything else is 1.
int SdlVideo::windowScale(int clientWidth, int clientHeight)
{
    const char* asked = std::getenv("VANTREL_SCALE");
    if (!asked || clientWidth <= 0 || clientHeight <= 0)
        return 1;
    if (autoScaleAsked())
        return fittingScale(clientWidth, clientHeight);
    char* end = nullptr;
    const long n = std::strtol(asked, &end, 10);
    return (end && *end == '\0' && n >= 1 && n <= 16) ? static_cast<int>(n) : 1;
}

bool SdlVideo::autoScaleAsked()
{
    const char* asked = std::getenv("VANTREL_SCALE");
    return asked && std::strcmp(asked, "auto") == 0;
}

// The largest multiple of the client size that fits the work area with
// the documented frame around it (at least 1).
int SdlVideo::fittingScale(int clientWidth, int clientHeight)
{
    SDL_Rect usable;
    if (clientWidth <= 0 || clientHeight <= 0 || SDL_GetDisplayUsableBounds(0, &usable) != 0)
        return 1;
    const RECT f = frameFor(WS_OVERLAPPEDWINDOW, 0, false);
    const int room = std::min((usable.w - f.left - f.right) / clientWidth,
                              (usable.h - f.top - f.bottom) / clientHeight);
    return std::max(room, 1);
}

// The native window of a client area shown `scale` times its size: at
// the client area's origin, moved so that it stays in the work area with
// its decorations around it (grown from the origin the game chose, it
// would otherwise reach past the screen's edge).  The settling then
// reports that place as the window's.
void SdlVideo::placeNative(const Window& w, int scale, int* x, int* y, int* width, int* height)
{
    SDL_Rect real;
    if (coversTheModeScreen(w) && SDL_GetDisplayBounds(0, &real) == 0) {
        // The game's full-screen window: the whole real screen, the
        // mode scaled into it.
        *x = real.x;
        *y = real.y;
        *width = real.w;
        *height = real.h;
        return;
    }
    const POINT o = clientOriginOnScreen(w);
    const RECT c = clientRectOf(w);
    *width = c.right > 0 ? c.right * scale : 1;
    *height = c.bottom > 0 ? c.bottom * scale : 1;
    *x = o.x;
    *y = o.y;
    if (scale == 1)
        return;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        const RECT f = decorationRoom(w);
        *x = keepInside(*x, *width, usable.x, usable.w, f.left, f.right);
        *y = keepInside(*y, *height, usable.y, usable.h, f.top, f.bottom);
    }
}

int SdlVideo::scaleOf(HWND h) const
{
    auto it = scale_.find(h);
    return it == scale_.end() ? 1 : it->second;
}

// Framed windows are resizable, and the full-screen window covers the
// real screen: their native size is the picture's, not the game's.
bool SdlVideo::sizesThePicture(const Window& w) { return w.native && (hasFrame(w) || coversTheModeScreen(w)); }

// Fits the game's client area into the native window: no picture (one
// to one) when the sizes agree.
void SdlVideo::fitPictureOf(Window& w)
{
    SDL_Window* sw = static_cast<SDL_Window*>(w.native);
    if (!sw)
        return;
    const RECT c = clientRectOf(w);
    int nw = 0, nh = 0;
    SDL_GetWindowSize(sw, &nw, &nh);
    if (coversTheModeScreen(w)) {
        // As the display presents it: whole multiples where they fit.
        setPicture(sw, Picture{fitPicture(c.right, c.bottom, nw, nh, true), static_cast<int>(c.right),
                               static_cast<int>(c.bottom)});
        return;
    }
    if (!hasFrame(w) || c.right <= 0 || c.bottom <= 0 || (nw == c.right && nh == c.bottom)) {
        clearPicture(sw);
        return;
    }
    setPicture(sw, Picture{fitPicture(c.right, c.bottom, nw, nh, false), static_cast<int>(c.right),
                           static_cast<int>(c.bottom)});
}

} // namespace vtl
