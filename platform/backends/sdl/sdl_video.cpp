// The SDL video device's native windows, following the library's record of
// the top-level windows they show (the device as a whole: sdl_video.h).
#include "platform/backends/sdl/sdl_video.h"

#include "platform/backends/sdl/native_window_loss.h"
#include "platform/backends/sdl/sdl_backend.h"
#include "platform/backends/sdl/sdl_picture.h"
#include "platform/backends/sdl/sdl_startup.h"
#include "platform/backends/sdl/sdl_window_renderer.h"
#include "platform/user/icon_resources.h"

#include <thread>

namespace vtl {
namespace {

VTLPixelFormat formatOf(Uint32 sdlFormat)
{
    int bpp = 0;
    Uint32 r = 0, g = 0, b = 0, a = 0;
    SDL_PixelFormatEnumToMasks(sdlFormat, &bpp, &r, &g, &b, &a);
    int bytes = SDL_BYTESPERPIXEL(sdlFormat);
    VTLPixelFormat f = {PF_RGB32, 32, 4, 0xFF0000, 0x00FF00, 0x0000FF};
    if (bytes == 2) {
        f.bitsPerPixel = 16;
        f.bytesPerPixel = 2;
        f.formatCode = g == 0x3E0 ? PF_RGB555 : PF_RGB565;
    } else if (bytes == 3) {
        f.bitsPerPixel = 24;
        f.bytesPerPixel = 3;
        f.formatCode = PF_RGB24;
    } else if (bytes == 1) {
        return VTLPixelFormat{PF_PAL8, 8, 1, 0xE0, 0x1C, 0x03};
    }
    if (r && b) {
        f.redMask = r;
        f.greenMask = g;
        f.blueMask = b;
        if (r < b)
            f.formatCode |= PF_BGR;
    }
    return f;
}

} // namespace

Desktop SdlVideo::screen()
{
    Desktop d;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        mode.w = 1024;
        mode.h = 768;
        mode.format = SDL_PIXELFORMAT_RGB888;
    }
    d.width = mode.w;
    d.height = mode.h;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0)
        d.workArea = RECT{usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
    else
        d.workArea = RECT{0, 0, mode.w, mode.h};
    d.format = formatOf(mode.format);
    return d;
}

bool SdlVideo::createNative(Window& w)
{
    if (!haveOwner_) {
        owner_ = std::this_thread::get_id();
        haveOwner_ = true;
    }
    RECT c = clientRectOf(w);
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (!hasFrame(w))
        flags |= SDL_WINDOW_BORDERLESS;
    else
        flags |= SDL_WINDOW_RESIZABLE; // the player may size the picture
    const int scale = hasFrame(w) ? windowScale(c.right, c.bottom) : 1;
    int x = 0, y = 0, nw = 0, nh = 0;
    placeNative(w, scale, &x, &y, &nw, &nh);
    SDL_Window* sw = SDL_CreateWindow(w.title.c_str(), x, y, nw, nh, flags);
    if (!sw)
        return false;
    // The renderer is made now, while the window is hidden: a GPU
    // renderer may have SDL remake the native window for it.
    windowRenderer(sw);
    watchNativeWindow(sw);
    w.native = sw;
    byId_[SDL_GetWindowID(sw)] = w.handle;
    pending_[w.handle] = Pending();
    scale_[w.handle] = scale;
    if (hasFrame(w) && autoScaleAsked())
        autoScaled_.insert(w.handle);
    fitPictureOf(w);
    syncIcon(w);
    return true;
}

void SdlVideo::syncIcon(Window& w)
{
    SDL_Window* sw = static_cast<SDL_Window*>(w.native);
    HICON icon = w.bigIcon ? w.bigIcon : w.smallIcon ? w.smallIcon : w.cls ? w.cls->icon : nullptr;
    const IconImage* image = iconImage(icon);
    if (!sw || !image)
        return; // the window manager's own icon stays
    SDL_Surface* surface = SDL_CreateRGBSurfaceFrom(const_cast<uint32_t*>(image->pixels.data()), image->width,
                                                    image->height, 32, image->width * 4, 0x00FF0000, 0x0000FF00,
                                                    0x000000FF, 0xFF000000);
    if (!surface)
        return;
    SDL_SetWindowIcon(sw, surface);
    SDL_FreeSurface(surface);
}

void SdlVideo::destroyNative(Window& w)
{
    SDL_Window* sw = static_cast<SDL_Window*>(w.native);
    if (!sw)
        return;
    byId_.erase(SDL_GetWindowID(sw));
    pending_.erase(w.handle);
    scale_.erase(w.handle);
    autoScaled_.erase(w.handle);
    dropWindowRenderer(sw);
    clearPicture(sw);
    unwatchNativeWindow(sw);
    SDL_DestroyWindow(sw);
    w.native = nullptr;
}

void SdlVideo::syncGeometry(Window& w)
{
    SDL_Window* sw = static_cast<SDL_Window*>(w.native);
    if (!sw)
        return;
    // With "auto" the multiple follows the client size the game sets
    // (a game usually sizes its window after making it).
    if (autoScaled_.count(w.handle)) {
        const RECT c = clientRectOf(w);
        scale_[w.handle] = fittingScale(c.right, c.bottom);
    }
    Pending& p = pending_[w.handle];
    p = Pending{0, 0, 0, 0, SDL_GetTicks(), true, true, false};
    placeNative(w, scaleOf(w.handle), &p.x, &p.y, &p.w, &p.h);
    SDL_SetWindowSize(sw, p.w, p.h);
    SDL_SetWindowPosition(sw, p.x, p.y);
    fitPictureOf(w);
}

void SdlVideo::syncStyle(Window& w)
{
    if (SDL_Window* sw = static_cast<SDL_Window*>(w.native)) {
        SDL_SetWindowBordered(sw, hasFrame(w) ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowResizable(sw, hasFrame(w) ? SDL_TRUE : SDL_FALSE);
        learnFrame(w);
    }
}

void SdlVideo::syncTitle(Window& w)
{
    if (SDL_Window* sw = static_cast<SDL_Window*>(w.native))
        SDL_SetWindowTitle(sw, w.title.c_str());
}

void SdlVideo::syncShowState(Window& w, bool activate)
{
    SDL_Window* sw = static_cast<SDL_Window*>(w.native);
    if (!sw)
        return;
    pending_[w.handle].time = SDL_GetTicks();
    pending_[w.handle].any = true;
    if (!(w.style & WS_VISIBLE)) {
        SDL_HideWindow(sw);
        return;
    }
    SDL_ShowWindow(sw);
    learnFrame(w);
    if (w.style & WS_MINIMIZE) {
        SDL_MinimizeWindow(sw);
        return;
    }
    SDL_RestoreWindow(sw);
    if (activate)
        SDL_RaiseWindow(sw);
}

void SdlVideo::raise(Window& w)
{
    if (SDL_Window* sw = static_cast<SDL_Window*>(w.native))
        SDL_RaiseWindow(sw);
}

// GDI draws into the window's canvas at the game's client size (the
// picture's game size where the window is scaled); presentPixels shows
// it through the window's renderer, scaled into the picture if any.
bool SdlVideo::windowPixels(Window& w, unsigned char** pixels, DWORD* pitch, int* width, int* height,
                            VTLPixelFormat* format)
{
    SDL_Window* sw = static_cast<SDL_Window*>(w.native);
    WindowRenderer* renderer = windowRenderer(sw);
    if (!renderer)
        return false;
    int gameW = 0, gameH = 0;
    Picture picture;
    if (pictureOf(sw, &picture)) {
        gameW = picture.gameWidth;
        gameH = picture.gameHeight;
    } else {
        SDL_GetWindowSize(sw, &gameW, &gameH);
    }
    SDL_Surface* surface = renderer->canvas(gameW, gameH);
    if (!surface)
        return false;
    *pixels = static_cast<unsigned char*>(surface->pixels);
    *pitch = static_cast<DWORD>(surface->pitch);
    *width = surface->w;
    *height = surface->h;
    *format = formatOf(surface->format->format);
    return true;
}

void SdlVideo::presentPixels(Window& w)
{
    SDL_Window* sw = static_cast<SDL_Window*>(w.native);
    WindowRenderer* renderer = windowRenderer(sw);
    if (!renderer)
        return;
    Picture picture;
    renderer->showCanvas(pictureOf(sw, &picture) ? &picture.shown : nullptr);
}

bool SdlVideo::hasFrame(const Window& w)
{
    RECT f = frameFor(w.style, w.exStyle, false);
    return f.left || f.top;
}

HWND SdlVideo::windowOf(Uint32 id) const
{
    auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
}

std::unique_ptr<VideoBackend> openSdlVideo()
{
    prepareSdl();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return nullptr;
    watchNativeWindowLoss();
    return std::unique_ptr<VideoBackend>(new SdlVideo);
}

} // namespace vtl
