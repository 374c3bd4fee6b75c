// What a native window shows, drawn by one SDL renderer per window.  Two
// sources share it: the display's frames (a streaming texture in the frame's
// own pixel format where SDL shows it exactly, so SDL converts and scales in
// one step, on the GPU where there is one) and the pixels GDI draws into the
// window (a memory canvas at the game's size, uploaded when the drawing is
// released).  The last one shown is on the screen.  GDI draws over what the player sees: a canvas
// taken after a frame was shown starts as that frame.
//
// A window cannot have both a renderer and SDL's window surface, so nothing
// else may ask SDL for the window's surface.
#ifndef VANTREL_PLATFORM_BACKENDS_SDL_SDL_WINDOW_RENDERER_H
#define VANTREL_PLATFORM_BACKENDS_SDL_SDL_WINDOW_RENDERER_H

#include "platform/ddraw/display_backend.h"

#include <SDL.h>

namespace vtl {

class WindowRenderer;

// The window's renderer, made on first use (the window system makes it with
// the window, while the window is still hidden: a GPU renderer may have SDL
// remake the native window).  Null when SDL has no renderer for it.
WindowRenderer* windowRenderer(SDL_Window* window);
// Frees the renderer and its textures; before the window itself goes.
void dropWindowRenderer(SDL_Window* window);

// How a frame is shown.
struct FrameShow {
    RECT area;            // of the image: the part shown
    SDL_Rect to;          // where it goes, in the window's pixels
    SDL_Rect gameRect;    // where it lies in the game's client area, one to one
    bool linear;          // smooth scaling (else nearest)
    bool waitForVerticalBlank;
};

class WindowRenderer {
public:
    explicit WindowRenderer(SDL_Renderer* renderer);
    ~WindowRenderer();
    WindowRenderer(const WindowRenderer&) = delete;
    WindowRenderer& operator=(const WindowRenderer&) = delete;

    // Uploads `show.area` of `image` once and shows it; the rest of the
    // window is black.
    void showFrame(const PresentedImage& image, const FrameShow& show);

    // GDI's pixels for the window: 32-bit xRGB at the game's client size.
    // Null when SDL cannot make it.
    SDL_Surface* canvas(int width, int height);
    // Shows the canvas: one to one at the window's origin, or scaled into
    // `picture` (black around it).
    void showCanvas(const SDL_Rect* picture);

private:
    SDL_Texture* frameTexture(Uint32 format, int width, int height, bool linear);
    void fillBars(const SDL_Rect& to);
    void setVerticalBlankWait(bool wait);

    SDL_Renderer* renderer_;
    Uint32 wideFormat_; // the 32-bit texture 8- and 16-bit frames are widened into
    SDL_Texture* frame_ = nullptr;
    Uint32 frameFormat_ = 0;
    SDL_Rect frameGameRect_{0, 0, 0, 0};
    bool frameShownLast_ = false;
    SDL_Surface* canvas_ = nullptr;
    SDL_Texture* canvasTexture_ = nullptr;
    int vsync_ = -1; // what the renderer was last told: unknown, off, on
};

// The texture format frames of `layout` are uploaded in as they are (24 and
// 32 bits), or SDL_PIXELFORMAT_UNKNOWN when they are converted to xRGB
// first (8 and 16 bits, odd masks; see sdl_window_renderer.cpp).
Uint32 textureFormatOf(const PixelLayout& layout);

} // namespace vtl

#endif
