// The SDL video device's settling: what the screen reports about a window
// while a change this side asked for is still under way (Pending in
// sdl_video.h).
#include "platform/backends/sdl/sdl_video.h"

#include "platform/user/input_events.h"

#include <vector>

namespace vtl {
namespace {

constexpr Uint32 kSettleMs = 300;

} // namespace

// True while the screen may still be reporting an older request.
bool SdlVideo::settling(HWND h)
{
    auto it = pending_.find(h);
    return it != pending_.end() && it->second.any;
}

// The decorations the screen draws around the window: what the window
// manager reports, none without one.
void SdlVideo::learnFrame(Window& w)
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(static_cast<SDL_Window*>(w.native), &top, &left, &bottom, &right) != 0)
        top = left = bottom = right = 0;
    setScreenFrame(w, RECT{left, top, right, bottom});
}

// Ends the settling time of every window whose time is up.
void SdlVideo::settle()
{
    std::vector<HWND> due;
    for (auto& entry : pending_) {
        if (entry.second.any && SDL_GetTicks() - entry.second.time > kSettleMs)
            due.push_back(entry.first);
    }
    // The messages sent below may destroy windows: look each one up anew.
    for (HWND h : due) {
        auto it = pending_.find(h);
        WindowRef w = lookupWindow(h);
        if (it == pending_.end() || !w || !w->native)
            continue;
        Pending& p = it->second;
        SDL_Window* sw = static_cast<SDL_Window*>(w->native);
        learnFrame(*w);
        p.any = false;
        if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE))
            continue;
        int x = 0, y = 0, cw = 0, ch = 0;
        SDL_GetWindowPosition(sw, &x, &y);
        SDL_GetWindowSize(sw, &cw, &ch);
        if (p.placed && !p.retried && (x != p.x || y != p.y || cw != p.w || ch != p.h)) {
            p.retried = true;
            p.any = true;
            p.time = SDL_GetTicks();
            SDL_SetWindowSize(sw, p.w, p.h);
            SDL_SetWindowPosition(sw, p.x, p.y);
            continue;
        }
        inputMoved(h, x, y);
        if (sizesThePicture(*w))
            fitPictureOf(*w);
        else
            inputResized(h, cw, ch);
    }
}

} // namespace vtl
