// One renderer per native window, kept as SDL window data so that it goes
// with the window.  SDL_CreateRenderer picks the GPU where there is one and
// its software renderer otherwise (SDL_RENDER_DRIVER=software forces it).
//
// Frames are uploaded once per present into a streaming texture.  24- and
// 32-bit frames go up in their own format: SDL converts them to the screen's
// and scales them in the same copy.  8-bit frames go through their palette
// into a 32-bit xRGB texture (SDL textures have no palettes), and so do
// 16-bit ones, widened by the same tables as every other presentation
// (present_convert.h), written straight into the locked texture.  Measured
// with SDL 2.26, a 16-bit texture gains nothing and costs three ways: none
// of SDL's GPU renderers on Linux takes one, so SDL converts it on the
// processor at upload anyway; its 5-6-5 expansion gives 254 for a full green
// (the tables give 255); and its software renderer scales a 16-bit texture
// onto the screen through its generic per-pixel blitter, three times slower
// than converting first and stretching 32-bit pixels.
//
// Where SDL's choice is OpenGL on one of Mesa's software rasterisers
// (llvmpipe under Xvfb, machines without a GPU) the window takes SDL's
// software renderer instead, as it would with no OpenGL at all: measured
// under Xvfb for a 640x480 16-bit frame, this process spends about 150 us a
// windowed present there against 450 to 650 us through llvmpipe, and the
// picture reaches the screen 5 to 10 times sooner.  SDL_RENDER_DRIVER still
// chooses.  When OpenGL on a software rasteriser is chosen that way, the
// widened texture is xBGR rather than xRGB: its textures are RGBA bytes in
// memory, and an xRGB upload is swizzled pixel by pixel inside
// SDL_UnlockTexture (about 440 us for 640x480) where xBGR is copied (45 us).
#include "platform/backends/sdl/sdl_window_renderer.h"

#include "platform/ddraw/present_convert.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace vtl {
namespace {

constexpr const char* kKey = "vantrel.renderer";
std::mutex gRendererLock; // the window data, set from whichever thread comes first

// Whether `renderer` is OpenGL drawn by Mesa's software rasterisers
// (llvmpipe under Xvfb, machines without a GPU) rather than by a GPU.
bool onSoftwareRasteriser(SDL_Renderer* renderer)
{
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name ||
        (std::strcmp(info.name, "opengl") != 0 && std::strcmp(info.name, "opengles2") != 0))
        return false;
    // The renderer's context is current once it is made.
    using GetString = const unsigned char* (*)(unsigned);
    constexpr unsigned kGlRenderer = 0x1F01;
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const char* name = getString ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
    return name && (std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") || std::strstr(name, "swrast"));
}

// The 32-bit layout `renderer` takes without a pass over the pixels: xBGR
// for SDL's OpenGL renderer on a software rasteriser, xRGB elsewhere.
Uint32 wideFormatOf(SDL_Renderer* renderer)
{
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) == 0 && info.name && std::strcmp(info.name, "opengl") == 0 &&
        onSoftwareRasteriser(renderer))
        return SDL_PIXELFORMAT_BGR888;
    return SDL_PIXELFORMAT_RGB888;
}

} // namespace

Uint32 textureFormatOf(const PixelLayout& layout)
{
    struct Known {
        DWORD bits, red, green, blue;
        Uint32 format;
    };
    // 24-bit pixels are three bytes of a little-endian value: red high is
    // blue, green, red in memory, SDL's BGR24.
    static const Known kKnown[] = {
        {24, 0xFF0000, 0x00FF00, 0x0000FF, SDL_PIXELFORMAT_BGR24},
        {24, 0x0000FF, 0x00FF00, 0xFF0000, SDL_PIXELFORMAT_RGB24},
        {32, 0xFF0000, 0x00FF00, 0x0000FF, SDL_PIXELFORMAT_RGB888},
        {32, 0x0000FF, 0x00FF00, 0xFF0000, SDL_PIXELFORMAT_BGR888},
    };
    for (const Known& k : kKnown)
        if (layout.bits == k.bits && layout.red == k.red && layout.green == k.green && layout.blue == k.blue)
            return k.format;
    return SDL_PIXELFORMAT_UNKNOWN;
}

WindowRenderer* windowRenderer(SDL_Window* window)
{
    if (!window)
        return nullptr;
    std::lock_guard<std::mutex> lock(gRendererLock);
    auto* r = static_cast<WindowRenderer*>(SDL_GetWindowData(window, kKey));
    if (r)
        return r;
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    // OpenGL on a software rasteriser is no GPU: SDL's software renderer
    // does the same work with less of it (unless the user chose a driver).
    if (renderer && !SDL_GetHint(SDL_HINT_RENDER_DRIVER) && onSoftwareRasteriser(renderer)) {
        SDL_DestroyRenderer(renderer);
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!renderer)
        return nullptr;
    r = new WindowRenderer(renderer);
    SDL_SetWindowData(window, kKey, r);
    return r;
}

void dropWindowRenderer(SDL_Window* window)
{
    std::lock_guard<std::mutex> lock(gRendererLock);
    delete static_cast<WindowRenderer*>(SDL_SetWindowData(window, kKey, nullptr));
}

WindowRenderer::WindowRenderer(SDL_Renderer* renderer) : renderer_(renderer), wideFormat_(wideFormatOf(renderer)) {}

WindowRenderer::~WindowRenderer()
{
    if (frame_)
        SDL_DestroyTexture(frame_);
    if (canvasTexture_)
        SDL_DestroyTexture(canvasTexture_);
    if (canvas_)
        SDL_FreeSurface(canvas_);
    SDL_DestroyRenderer(renderer_);
}

void WindowRenderer::showFrame(const PresentedImage& image, const FrameShow& show)
{
    const int w = show.area.right - show.area.left, h = show.area.bottom - show.area.top;
    if (w <= 0 || h <= 0)
        return;
    const Uint32 direct = textureFormatOf(image.layout);
    SDL_Texture* texture = frameTexture(direct ? direct : wideFormat_, w, h, show.linear);
    if (!texture)
        return;
    if (direct) {
        const unsigned char* first = image.pixels + static_cast<ptrdiff_t>(show.area.top) * image.pitch +
                                     static_cast<ptrdiff_t>(show.area.left) * image.layout.bytes();
        SDL_UpdateTexture(texture, nullptr, first, static_cast<int>(image.pitch));
    } else {
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0)
            return;
        if (wideFormat_ == SDL_PIXELFORMAT_BGR888)
            convertToXbgr(image, show.area, static_cast<uint32_t*>(pixels), pitch);
        else
            convertToXrgb(image, show.area, static_cast<uint32_t*>(pixels), pitch);
        SDL_UnlockTexture(texture);
    }
    setVerticalBlankWait(show.waitForVerticalBlank);
    fillBars(show.to);
    SDL_RenderCopy(renderer_, texture, nullptr, &show.to);
    SDL_RenderPresent(renderer_);
    frameGameRect_ = show.gameRect;
    frameShownLast_ = true;
}

SDL_Surface* WindowRenderer::canvas(int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    if (canvas_ && (canvas_->w != width || canvas_->h != height)) {
        SDL_FreeSurface(canvas_);
        canvas_ = nullptr;
    }
    if (!canvas_)
        canvas_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
    if (canvas_ && frameShownLast_ && frame_) {
        // GDI draws over the frame on the screen: draw it one to one into the
        // back buffer and read it back.  The next present redraws the whole
        // window, so the back buffer is free for this.
        int outW = 0, outH = 0;
        SDL_GetRendererOutputSize(renderer_, &outW, &outH);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, frame_, nullptr, &frameGameRect_);
        const SDL_Rect read{0, 0, std::min(width, outW), std::min(height, outH)};
        SDL_FillRect(canvas_, nullptr, 0);
        if (read.w > 0 && read.h > 0)
            SDL_RenderReadPixels(renderer_, &read, SDL_PIXELFORMAT_RGB888, canvas_->pixels, canvas_->pitch);
        frameShownLast_ = false;
    }
    return canvas_;
}

void WindowRenderer::showCanvas(const SDL_Rect* picture)
{
    if (!canvas_)
        return;
    if (canvasTexture_) {
        int w = 0, h = 0;
        SDL_QueryTexture(canvasTexture_, nullptr, nullptr, &w, &h);
        if (w != canvas_->w || h != canvas_->h) {
            SDL_DestroyTexture(canvasTexture_);
            canvasTexture_ = nullptr;
        }
    }
    if (!canvasTexture_) {
        canvasTexture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, canvas_->w,
                                           canvas_->h);
        if (!canvasTexture_)
            return;
        SDL_SetTextureScaleMode(canvasTexture_, SDL_ScaleModeNearest);
    }
    SDL_UpdateTexture(canvasTexture_, nullptr, canvas_->pixels, canvas_->pitch);
    const SDL_Rect to = picture ? *picture : SDL_Rect{0, 0, canvas_->w, canvas_->h};
    setVerticalBlankWait(false);
    fillBars(to);
    SDL_RenderCopy(renderer_, canvasTexture_, nullptr, &to);
    SDL_RenderPresent(renderer_);
    frameShownLast_ = false;
}

SDL_Texture* WindowRenderer::frameTexture(Uint32 format, int width, int height, bool linear)
{
    if (frame_) {
        int w = 0, h = 0;
        SDL_QueryTexture(frame_, nullptr, nullptr, &w, &h);
        if (format != frameFormat_ || w != width || h != height) {
            SDL_DestroyTexture(frame_);
            frame_ = nullptr;
        }
    }
    if (!frame_) {
        frame_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, width, height);
        frameFormat_ = format;
        if (!frame_)
            return nullptr;
    }
    SDL_SetTextureScaleMode(frame_, linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    return frame_;
}

// Black wherever `to` does not cover the window: only the bars are drawn,
// not the whole window (on the software renderer a clear is a pass over
// every pixel of the screen).
void WindowRenderer::fillBars(const SDL_Rect& to)
{
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    const int right = to.x + to.w, bottom = to.y + to.h;
    SDL_Rect bars[4];
    int count = 0;
    if (to.y > 0)
        bars[count++] = SDL_Rect{0, 0, w, to.y};
    if (bottom < h)
        bars[count++] = SDL_Rect{0, bottom, w, h - bottom};
    const int top = std::max(to.y, 0), low = std::min(bottom, h);
    if (to.x > 0 && low > top)
        bars[count++] = SDL_Rect{0, top, to.x, low - top};
    if (right < w && low > top)
        bars[count++] = SDL_Rect{right, top, w - right, low - top};
    if (!count)
        return;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderFillRects(renderer_, bars, count);
}

// Full-screen flips wait for the vertical blank when their flags ask;
// everything else is shown at once.  Told only on a change: some renderers
// remake their swap chain for it.
void WindowRenderer::setVerticalBlankWait(bool wait)
{
    if (vsync_ == static_cast<int>(wait))
        return;
    SDL_RenderSetVSync(renderer_, wait ? 1 : 0);
    vsync_ = wait ? 1 : 0;
}

} // namespace vtl
