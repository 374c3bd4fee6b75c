// The pointer on the SDL video device: where it is, as the game sees it over
// a scaled picture, and SetCursorPos.
#include "platform/backends/sdl/sdl_video.h"

#include "platform/backends/sdl/sdl_picture.h"

#include <algorithm>

namespace vtl {

bool SdlVideo::cursorPos(POINT* point)
{
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    *point = POINT{x, y};
    // Until the pointer leaves the place it was warped to, it is where
    // the game put it (SDL learns the window under it only from events
    // not read yet).
    {
        std::lock_guard<std::mutex> lock(warpMutex_);
        if (warped_ && x == warpedTo_.x && y == warpedTo_.y) {
            *point = warpedFrom_;
            return true;
        }
        warped_ = false;
    }
    // Over a scaled picture the pointer is where the game sees it: its
    // game pixel, placed at the window's client origin as the game knows
    // it.
    SDL_Window* focus = SDL_GetMouseFocus();
    Picture picture;
    HWND h = focus ? windowOf(SDL_GetWindowID(focus)) : nullptr;
    WindowRef w = h ? lookupWindow(h) : nullptr;
    if (w && pictureOf(focus, &picture)) {
        int wx = 0, wy = 0, gx = 0, gy = 0;
        SDL_GetWindowPosition(focus, &wx, &wy);
        toGamePoint(focus, x - wx, y - wy, &gx, &gy);
        const POINT origin = clientOriginOnScreen(*w);
        *point = POINT{origin.x + gx, origin.y + gy};
    }
    return true;
}

void SdlVideo::showPointer(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

// SDL's relative mode: the pointer hidden and held in the focused window,
// its motion reported without a position (see handle()).
void SdlVideo::holdPointer(Window&, bool held) { SDL_SetRelativeMouseMode(held ? SDL_TRUE : SDL_FALSE); }

// Into the window whose client area holds the point as the game sees
// it, at the native pixel showing that game pixel; elsewhere the point
// is taken as the real screen's.
void SdlVideo::warpPointer(POINT screen)
{
    POINT global = screen;
    if (SDL_Window* sw = nativeAt(screen)) {
        WindowRef w = lookupWindow(windowOf(SDL_GetWindowID(sw)));
        const POINT origin = clientOriginOnScreen(*w);
        int nx = 0, ny = 0, wx = 0, wy = 0;
        toNativePoint(sw, screen.x - origin.x, screen.y - origin.y, &nx, &ny);
        SDL_GetWindowPosition(sw, &wx, &wy);
        SDL_WarpMouseInWindow(sw, nx, ny);
        global = POINT{wx + nx, wy + ny};
    } else {
        SDL_WarpMouseGlobal(screen.x, screen.y);
    }
    std::lock_guard<std::mutex> lock(warpMutex_);
    warped_ = true;
    warpedFrom_ = screen;
    warpedTo_ = global;
}

// ClipCursor: each shown window that holds part of the rectangle keeps the
// pointer over the native pixels showing that part (SDL holds it while the
// window has the focus); the others let it go.  Where the window is later
// moved, the hold stays where it was until the next ClipCursor.
void SdlVideo::confinePointer(const RECT* screen)
{
    for (const auto& entry : byId_) {
        WindowRef w = lookupWindow(entry.second);
        if (!w || !w->native)
            continue;
        SDL_Window* sw = static_cast<SDL_Window*>(w->native);
        const POINT o = clientOriginOnScreen(*w);
        const RECT c = clientRectOf(*w);
        const RECT part{std::max(screen ? screen->left : 0, o.x), std::max(screen ? screen->top : 0, o.y),
                        std::min(screen ? screen->right : 0, o.x + c.right),
                        std::min(screen ? screen->bottom : 0, o.y + c.bottom)};
        if (!screen || part.left >= part.right || part.top >= part.bottom) {
            SDL_SetWindowMouseRect(sw, nullptr);
            continue;
        }
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        toNativePoint(sw, part.left - o.x, part.top - o.y, &x0, &y0);
        toNativePoint(sw, part.right - o.x, part.bottom - o.y, &x1, &y1);
        const SDL_Rect held{x0, y0, std::max(x1 - x0, 1), std::max(y1 - y0, 1)};
        SDL_SetWindowMouseRect(sw, &held);
    }
}

// The native window of the shown top-level window whose client area (in
// game pixels) holds a screen point: the one with the keyboard focus
// first, as the topmost one known.
SDL_Window* SdlVideo::nativeAt(POINT screen)
{
    SDL_Window* found = nullptr;
    SDL_Window* focus = SDL_GetKeyboardFocus();
    for (const auto& entry : byId_) {
        WindowRef w = lookupWindow(entry.second);
        if (!w || !w->native || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE))
            continue;
        const POINT o = clientOriginOnScreen(*w);
        const RECT c = clientRectOf(*w);
        if (screen.x < o.x || screen.y < o.y || screen.x >= o.x + c.right || screen.y >= o.y + c.bottom)
            continue;
        SDL_Window* sw = static_cast<SDL_Window*>(w->native);
        if (sw == focus)
            return sw;
        if (!found)
            found = sw;
    }
    return found;
}

} // namespace vtl
