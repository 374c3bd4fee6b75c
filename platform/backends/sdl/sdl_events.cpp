// The SDL video device's events, read on the thread that made the first
// window (the game's window thread) and turned into the shared layer's input
// calls.
#include "platform/backends/sdl/sdl_video.h"

#include "platform/backends/sdl/native_window_loss.h"
#include "platform/backends/sdl/sdl_keys.h"
#include "platform/backends/sdl/sdl_picture.h"
#include "platform/user/input_events.h"
#include "platform/user/quit_requests.h"
#include "platform/user/raw_input.h"

#include <thread>

namespace vtl {

void SdlVideo::pump()
{
    if (!haveOwner_ || std::this_thread::get_id() != owner_)
        return;
    SDL_Event e;
    while (SDL_PollEvent(&e))
        handle(e);
    // A native window another program destroyed is the player closing
    // it; the game's answer to WM_CLOSE destroys what is left.
    for (Uint32 id : takeLostNativeWindows()) {
        if (HWND h = windowOf(id))
            inputClose(h);
    }
    settle();
}

bool SdlVideo::needsPolling() const
{
    return haveOwner_ && std::this_thread::get_id() == owner_ && !byId_.empty();
}

void SdlVideo::handle(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_WINDOWEVENT: {
        HWND h = windowOf(e.window.windowID);
        if (!h)
            return;
        if (WindowRef w = lookupWindow(h))
            learnFrame(*w);
        switch (e.window.event) {
        case SDL_WINDOWEVENT_MOVED:
            if (!settling(h))
                inputMoved(h, e.window.data1, e.window.data2);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            // The player sizing a framed window sizes its picture; the
            // game keeps its client size.
            if (WindowRef w = lookupWindow(h); w && sizesThePicture(*w)) {
                fitPictureOf(*w);
                if (!settling(h) && !coversTheModeScreen(*w))
                    inputPictureResized(h);
            }
            else if (!settling(h))
                inputResized(h, e.window.data1, e.window.data2);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            if (!settling(h))
                inputMinimized(h, true);
            break;
        case SDL_WINDOWEVENT_RESTORED:
            if (!settling(h))
                inputMinimized(h, false);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: inputFocus(h, true); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: inputFocus(h, false); break;
        case SDL_WINDOWEVENT_EXPOSED: inputExposed(h); break;
        case SDL_WINDOWEVENT_CLOSE: inputClose(h); break;
        default: break;
        }
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        HWND h = windowOf(e.key.windowID);
        int vk = virtualKeyOf(e.key.keysym.sym);
        if (h && vk)
            inputKey(h, vk, e.type == SDL_KEYDOWN, e.key.repeat != 0, isExtendedTwin(e.key.keysym.scancode));
        break;
    }
    case SDL_MOUSEMOTION: {
        // Positions arrive in the game's pixels wherever the picture is
        // scaled; a pointer over a bar is at the picture's nearest edge.
        HWND h = windowOf(e.motion.windowID);
        int x = 0, y = 0;
        if (h && SDL_GetRelativeMouseMode()) {
            // A held pointer does not move: only its motion is input.
            inputMouseMotion(h, e.motion.xrel, e.motion.yrel);
        } else if (h) {
            toGamePoint(SDL_GetWindowFromID(e.motion.windowID), e.motion.x, e.motion.y, &x, &y);
            inputMouseMove(h, x, y);
        }
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        HWND h = windowOf(e.button.windowID);
        if (!h)
            break;
        int x = 0, y = 0;
        const bool onPicture = toGamePoint(SDL_GetWindowFromID(e.button.windowID), e.button.x, e.button.y, &x, &y);
        // A press on a bar goes nowhere; a release there still ends the
        // press the game saw start (at the picture's edge).
        if (!onPicture && e.type == SDL_MOUSEBUTTONDOWN)
            break;
        MouseButton b = e.button.button == SDL_BUTTON_LEFT    ? kLeftButton
                        : e.button.button == SDL_BUTTON_RIGHT ? kRightButton
                                                              : kMiddleButton;
        inputMouseButton(h, b, e.type == SDL_MOUSEBUTTONDOWN, x, y);
        break;
    }
    case SDL_MOUSEWHEEL:
        if (HWND h = windowOf(e.wheel.windowID)) {
            const int sign = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
            inputMouseWheel(h, sign * e.wheel.y * 120); // WHEEL_DELTA a notch
        }
        break;
    case SDL_SYSWMEVENT: noteWindowSystemEvent(e); break;
    case SDL_QUIT:
        // Asked by the session or the window manager to end: the
        // game's windows are closed the way the player closes them.
        closeTopLevelWindows();
        break;
    default: break;
    }
}

} // namespace vtl
