// The SDL display: the primary surface's pixels shown through the game
// window's renderer (sdl_window_renderer.h), uploaded once in their own
// format and converted and scaled by SDL in one copy.  In a window the part
// of the (desktop-sized) primary under the client area is shown, one to one
// or scaled into the window's picture; in full screen the window covers the
// screen and the mode's pixels are scaled into it, keeping their aspect, at
// whole multiples when they fit, with black bars.  Each full-screen present
// records the picture so the pointer follows it.  In a page, full screen is
// the page's (letterboxed) until the player's next key or click gives it the
// browser's full screen (platform/host/page_hooks.h).
#include "platform/backends/sdl/sdl_backend.h"
#include "platform/backends/sdl/sdl_picture.h"
#include "platform/backends/sdl/sdl_window_renderer.h"
#include "platform/ddraw/display_backend.h"
#include "platform/host/page_hooks.h"
#include <vantrel/seam/window_backend.h>

#include <vantrel/win32/ddraw.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

class SdlDisplay final : public vtl::DisplayBackend {
public:
    // The device has the window system make the window a borderless one
    // covering the screen, which keeps the window's geometry known to it; a
    // full-screen flag of SDL's own would freeze that geometry and needs a
    // window manager to take effect.
    HRESULT enterFullscreen(HWND window, DWORD, DWORD) override
    {
        if (!vtl::nativeWindow(window))
            return DDERR_GENERIC;
        fullscreenWindow_ = window;
        linear_ = linearFilterAsked();
        vtl::host::pageFullscreenWanted(true);
        return DD_OK;
    }

    void leaveFullscreen() override
    {
        // The window shows the game one to one again: its pointer too.
        if (SDL_Window* native = static_cast<SDL_Window*>(vtl::nativeWindow(fullscreenWindow_)))
            vtl::clearPicture(native);
        if (fullscreenWindow_)
            vtl::host::pageFullscreenWanted(false);
        fullscreenWindow_ = nullptr;
    }

    void presentFullscreen(HWND window, const vtl::PresentedImage& image, bool waitForVerticalBlank) override
    {
        SDL_Window* native = static_cast<SDL_Window*>(vtl::nativeWindow(window));
        vtl::WindowRenderer* renderer = vtl::windowRenderer(native);
        if (!renderer)
            return;
        coverScreen(native);
        int screenW = 0, screenH = 0;
        SDL_GetWindowSize(native, &screenW, &screenH);
        // The mode fills the screen keeping its aspect, centred between
        // black bars, at a whole multiple when one fits.
        const SDL_Rect to = vtl::fitPicture(image.width, image.height, screenW, screenH, true);
        vtl::setPicture(native, vtl::Picture{to, static_cast<int>(image.width), static_cast<int>(image.height)});
        const vtl::FrameShow show{RECT{0, 0, image.width, image.height}, to,
                                  SDL_Rect{0, 0, static_cast<int>(image.width), static_cast<int>(image.height)},
                                  linear_, waitForVerticalBlank};
        renderer->showFrame(image, show);
    }

    // Windowed presents never wait for the vertical blank: a window shares
    // the screen with others and its game paces itself.
    void presentWindow(HWND window, const vtl::PresentedImage& desktop, const RECT& client) override
    {
        SDL_Window* native = static_cast<SDL_Window*>(vtl::nativeWindow(window));
        const RECT shown{std::max<LONG>(client.left, 0), std::max<LONG>(client.top, 0),
                         std::min<LONG>(client.right, desktop.width), std::min<LONG>(client.bottom, desktop.height)};
        if (!native || shown.left >= shown.right || shown.top >= shown.bottom)
            return;
        vtl::WindowRenderer* renderer = vtl::windowRenderer(native);
        if (!renderer)
            return;
        const SDL_Rect inGame{static_cast<int>(shown.left - client.left), static_cast<int>(shown.top - client.top),
                              static_cast<int>(shown.right - shown.left), static_cast<int>(shown.bottom - shown.top)};
        SDL_Rect to = inGame;
        vtl::Picture picture;
        if (vtl::pictureOf(native, &picture)) {
            // A window scaled by VANTREL_SCALE or by the player: the client
            // area fills its picture, the rest is black; a part of the
            // client area off the desktop is shown where it lies in the
            // picture.
            to.x = picture.shown.x + inGame.x * picture.shown.w / picture.gameWidth;
            to.y = picture.shown.y + inGame.y * picture.shown.h / picture.gameHeight;
            to.w = inGame.w * picture.shown.w / picture.gameWidth;
            to.h = inGame.h * picture.shown.h / picture.gameHeight;
        }
        renderer->showFrame(desktop, vtl::FrameShow{shown, to, inGame, false, false});
    }

private:
    // A move asked for while SDL is still mapping a window whose border just
    // went can be dropped; the window system has the window over the whole
    // screen, so the frames make sure the real window is there.  That is
    // the real screen: the desktop the game sees is the mode's size.
    static void coverScreen(SDL_Window* native)
    {
        SDL_Rect screen;
        if (SDL_GetDisplayBounds(0, &screen) != 0)
            return;
        int x = 0, y = 0, w = 0, h = 0;
        SDL_GetWindowPosition(native, &x, &y);
        SDL_GetWindowSize(native, &w, &h);
        if (x != screen.x || y != screen.y)
            SDL_SetWindowPosition(native, screen.x, screen.y);
        if (w != screen.w || h != screen.h)
            SDL_SetWindowSize(native, screen.w, screen.h);
    }

    // VANTREL_SCALE_FILTER=linear smooths full-screen scaling; nearest (the
    // default, and any other value) keeps the game's pixels square.
    static bool linearFilterAsked()
    {
        const char* filter = std::getenv("VANTREL_SCALE_FILTER");
        return filter && std::strcmp(filter, "linear") == 0;
    }

    HWND fullscreenWindow_ = nullptr;
    bool linear_ = false;
};

} // namespace

std::unique_ptr<vtl::DisplayBackend> vtl::openSdlDisplay() { return std::unique_ptr<DisplayBackend>(new SdlDisplay); }
