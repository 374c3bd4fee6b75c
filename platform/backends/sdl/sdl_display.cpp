// The SDL display: the primary surface's pixels, converted to xRGB, drawn
// into the game's window surface (the one the window system's device
// contexts draw into, so text drawn into the window and frames share it).
// In a window the part of the (desktop-sized) primary under the client area
// is shown, one to one or scaled into the window's picture; in full screen
// the window covers the screen and the mode's pixels are scaled into it,
// keeping their aspect, at whole multiples when they fit, with black bars.
// Each full-screen present records the picture so the pointer follows it.
#include "platform/backends/sdl/sdl_backend.h"
#include "platform/backends/sdl/sdl_picture.h"
#include "platform/ddraw/present_convert.h"
#include "platform/ddraw/display_backend.h"
#include <vantrel/seam/window_backend.h>

#include <vantrel/win32/ddraw.h>

#include <SDL.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

class SdlDisplay final : public vtl::DisplayBackend {
public:
    ~SdlDisplay() override
    {
        if (frame_)
            SDL_FreeSurface(frame_);
    }

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
        return DD_OK;
    }

    void leaveFullscreen() override
    {
        // The window shows the game one to one again: its pointer too.
        if (SDL_Window* native = static_cast<SDL_Window*>(vtl::nativeWindow(fullscreenWindow_)))
            vtl::clearPicture(native);
        fullscreenWindow_ = nullptr;
        barsPainted_ = nullptr;
    }

    void presentFullscreen(HWND window, const vtl::PresentedImage& image) override
    {
        SDL_Window* native = static_cast<SDL_Window*>(vtl::nativeWindow(window));
        if (!native)
            return;
        coverScreen(native);
        SDL_Surface* target = SDL_GetWindowSurface(native);
        if (!target || !convert(image, RECT{0, 0, image.width, image.height}))
            return;
        // The mode fills the screen keeping its aspect, centred between
        // black bars, at a whole multiple when one fits.
        SDL_Rect to = vtl::fitPicture(image.width, image.height, target->w, target->h, true);
        vtl::setPicture(native, vtl::Picture{to, static_cast<int>(image.width), static_cast<int>(image.height)});
        // The bars are painted black once per placement; later frames cover
        // only the picture.
        if (target != barsPainted_ || !SDL_RectEquals(&to, &barsAround_)) {
            SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
            barsPainted_ = target;
            barsAround_ = to;
        }
        // Linear filtering needs both sides in one 32-bit format; a screen
        // of another format gets nearest-neighbour scaling.
        if (!linear_ || target->format->format != frame_->format->format ||
            SDL_SoftStretchLinear(frame_, nullptr, target, &to) != 0)
            SDL_BlitScaled(frame_, nullptr, target, &to);
        SDL_UpdateWindowSurface(native);
    }

    void presentWindow(HWND window, const vtl::PresentedImage& desktop, const RECT& client) override
    {
        SDL_Window* native = static_cast<SDL_Window*>(vtl::nativeWindow(window));
        SDL_Surface* target = native ? SDL_GetWindowSurface(native) : nullptr;
        const RECT shown{std::max<LONG>(client.left, 0), std::max<LONG>(client.top, 0),
                         std::min<LONG>(client.right, desktop.width), std::min<LONG>(client.bottom, desktop.height)};
        if (!target || shown.left >= shown.right || shown.top >= shown.bottom)
            return;
        vtl::Picture picture;
        const bool scaled = vtl::pictureOf(native, &picture);
        if (!scaled && target->format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(target)) {
            // One to one onto an xRGB window (what X gives on 24/32-bit
            // screens): converted straight into the window's pixels, one
            // pass instead of a conversion and a copy.
            const int x = shown.left - client.left, y = shown.top - client.top;
            // A window still being sized may be smaller than its client area.
            const RECT fits{shown.left, shown.top, std::min<LONG>(shown.right, client.left + target->w),
                            std::min<LONG>(shown.bottom, client.top + target->h)};
            if (fits.left >= fits.right || fits.top >= fits.bottom)
                return;
            auto* out = reinterpret_cast<uint32_t*>(static_cast<unsigned char*>(target->pixels) +
                                                    static_cast<ptrdiff_t>(y) * target->pitch) + x;
            vtl::convertToXrgb(desktop, fits, out, target->pitch);
            SDL_UpdateWindowSurface(native);
            return;
        }
        if (!convert(desktop, shown))
            return;
        if (scaled) {
            // A window scaled by VANTREL_SCALE or by the player: the client
            // area fills its picture, the rest is black.
            SDL_Rect to = picture.shown;
            if (shown.right - shown.left != picture.gameWidth || shown.bottom - shown.top != picture.gameHeight) {
                // Part of the client area is off the desktop: show that part
                // where it lies in the picture.
                to.x += static_cast<int>((shown.left - client.left) * picture.shown.w / picture.gameWidth);
                to.y += static_cast<int>((shown.top - client.top) * picture.shown.h / picture.gameHeight);
                to.w = static_cast<int>((shown.right - shown.left) * picture.shown.w / picture.gameWidth);
                to.h = static_cast<int>((shown.bottom - shown.top) * picture.shown.h / picture.gameHeight);
            }
            SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
            SDL_BlitScaled(frame_, nullptr, target, &to);
        } else {
            // Client pixels map one to one onto the window.
            SDL_Rect to{shown.left - client.left, shown.top - client.top, 0, 0};
            SDL_BlitSurface(frame_, nullptr, target, &to);
        }
        SDL_UpdateWindowSurface(native);
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

    // Converts `area` of `image` into frame_, made anew when the size changes.
    bool convert(const vtl::PresentedImage& image, const RECT& area)
    {
        const int w = area.right - area.left, h = area.bottom - area.top;
        if (!frame_ || frame_->w != w || frame_->h != h) {
            if (frame_)
                SDL_FreeSurface(frame_);
            frame_ = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888);
            if (!frame_)
                return false;
        }
        vtl::convertToXrgb(image, area, static_cast<uint32_t*>(frame_->pixels), frame_->pitch);
        return true;
    }

    // VANTREL_SCALE_FILTER=linear smooths full-screen scaling; nearest (the
    // default, and any other value) keeps the game's pixels square.
    static bool linearFilterAsked()
    {
        const char* filter = std::getenv("VANTREL_SCALE_FILTER");
        return filter && std::strcmp(filter, "linear") == 0;
    }

    SDL_Surface* frame_ = nullptr;
    // The window surface whose bars are black around barsAround_ (only
    // compared, never used: SDL may make a new surface at the same address
    // after a resize, which changes the picture's place anyway).
    const SDL_Surface* barsPainted_ = nullptr;
    SDL_Rect barsAround_{0, 0, 0, 0};
    HWND fullscreenWindow_ = nullptr;
    bool linear_ = false;
};

} // namespace

std::unique_ptr<vtl::DisplayBackend> vtl::openSdlDisplay() { return std::unique_ptr<DisplayBackend>(new SdlDisplay); }
