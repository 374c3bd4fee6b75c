// The SDL display: the primary surface's pixels, converted to xRGB, drawn
// into the game's SDL window with a renderer.  In a window the part of the
// (desktop-sized) primary under the client area is shown; in full screen the
// window covers the real display and the mode's pixels are scaled to it,
// keeping their aspect.
#include "platform/common/present_convert.h"
#include "platform/display_backend.h"
#include "platform/window_backend.h"

#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/window.h>

#include <SDL.h>

#include <algorithm>

namespace {

class SdlDisplay final : public vtl::DisplayBackend {
public:
    SdlDisplay() { vtl::watchWindowMessages(nullptr, &SdlDisplay::watch, this); }
    ~SdlDisplay() override { forget(); }

    HRESULT enterFullscreen(HWND window, DWORD, DWORD) override
    {
        // The device makes the window a borderless one covering the screen
        // (through the window system, which keeps its geometry); a
        // full-screen flag of SDL's own would freeze that geometry and needs
        // a window manager to take effect.
        SDL_Window* native = static_cast<SDL_Window*>(vtl::nativeWindow(window));
        if (!native)
            return DDERR_GENERIC;
        fullscreen_ = native;
        return DD_OK;
    }

    void leaveFullscreen() override
    {
        if (!fullscreen_)
            return;
        if (SDL_Renderer* r = SDL_GetRenderer(fullscreen_))
            SDL_RenderSetLogicalSize(r, 0, 0);
        fullscreen_ = nullptr;
    }

    void presentFullscreen(HWND window, const vtl::PresentedImage& image) override
    {
        SDL_Renderer* r = rendererFor(window);
        if (!r || !upload(r, image, RECT{0, 0, image.width, image.height}))
            return;
        SDL_RenderSetLogicalSize(r, image.width, image.height);
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        SDL_RenderClear(r);
        SDL_RenderCopy(r, texture_, nullptr, nullptr);
        SDL_RenderPresent(r);
    }

    void presentWindow(HWND window, const vtl::PresentedImage& desktop, const RECT& client) override
    {
        SDL_Window* native = static_cast<SDL_Window*>(vtl::nativeWindow(window));
        if (!native || native == fullscreen_)
            return;
        SDL_Renderer* r = rendererFor(window);
        const RECT shown{std::max<LONG>(client.left, 0), std::max<LONG>(client.top, 0),
                         std::min<LONG>(client.right, desktop.width), std::min<LONG>(client.bottom, desktop.height)};
        if (!r || shown.left >= shown.right || shown.top >= shown.bottom || !upload(r, desktop, shown))
            return;
        SDL_RenderSetLogicalSize(r, 0, 0);
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        SDL_RenderClear(r);
        // Client pixels map one to one onto the window; what lies off the
        // desktop stays black.
        const SDL_Rect to{shown.left - client.left, shown.top - client.top, shown.right - shown.left,
                          shown.bottom - shown.top};
        SDL_RenderCopy(r, texture_, nullptr, &to);
        SDL_RenderPresent(r);
    }

private:
    // The renderer of the window shown last: the window system's own if it
    // made one, else ours, which goes when the window is destroyed.
    SDL_Renderer* rendererFor(HWND window)
    {
        SDL_Window* native = static_cast<SDL_Window*>(vtl::nativeWindow(window));
        if (!native)
            return nullptr;
        if (window != shownWindow_) {
            forget();
            shownWindow_ = window;
        }
        if (SDL_Renderer* r = SDL_GetRenderer(native))
            return r;
        ownRenderer_ = SDL_CreateRenderer(native, -1, 0);
        return ownRenderer_;
    }

    void forget()
    {
        if (texture_)
            SDL_DestroyTexture(texture_);
        if (ownRenderer_)
            SDL_DestroyRenderer(ownRenderer_);
        texture_ = nullptr;
        textureRenderer_ = nullptr;
        ownRenderer_ = nullptr;
        shownWindow_ = nullptr;
    }

    static void watch(HWND window, UINT message, WPARAM, LPARAM, void* self)
    {
        SdlDisplay& d = *static_cast<SdlDisplay*>(self);
        if (message == WM_DESTROY && window == d.shownWindow_) {
            if (d.fullscreen_ == vtl::nativeWindow(window))
                d.fullscreen_ = nullptr;
            d.forget();
        }
    }

    // Converts `area` of `image` into the streaming texture, made anew when
    // the renderer or the size changes.
    bool upload(SDL_Renderer* r, const vtl::PresentedImage& image, const RECT& area)
    {
        const int w = area.right - area.left, h = area.bottom - area.top;
        if (!texture_ || textureRenderer_ != r || textureW_ != w || textureH_ != h) {
            if (texture_)
                SDL_DestroyTexture(texture_);
            texture_ = SDL_CreateTexture(r, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
            textureRenderer_ = r;
            textureW_ = w;
            textureH_ = h;
            if (!texture_)
                return false;
        }
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) != 0)
            return false;
        vtl::convertToXrgb(image, area, static_cast<uint32_t*>(pixels), pitch);
        SDL_UnlockTexture(texture_);
        return true;
    }

    HWND shownWindow_ = nullptr;
    SDL_Renderer* ownRenderer_ = nullptr;
    SDL_Window* fullscreen_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_Renderer* textureRenderer_ = nullptr;
    int textureW_ = 0;
    int textureH_ = 0;
};

} // namespace

vtl::DisplayBackend* vtl::createSdlDisplay() { return new SdlDisplay; }
