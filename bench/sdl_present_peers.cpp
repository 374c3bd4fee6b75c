// What showing a 640x480 16-bit frame costs SDL alone, with no game library
// in between: the peers of sdl_present.cpp, named so that the same filter
// (--benchmark_filter=SdlPresent) runs both in one run, under the same X
// server.  Each row reports the same counters against one memcpy of the
// frame:
//   WindowSurface  the frame blitted (converted) into the window's surface
//                  and SDL_UpdateWindowSurface, one to one;
//   Renderer       a streaming RGB565 texture updated, copied one to one and
//                  presented, without waiting for the vertical blank;
//   FullScreen     the same texture scaled into a window over the whole
//                  screen at the largest whole multiple, letterboxed.
// Each renderer row runs on the renderer SDL picks (under Xvfb, OpenGL on
// llvmpipe) and, as "Software", on SDL's software renderer, which is what
// the library takes under Xvfb.
// Under Xvfb the X server's taking of the picture dominates all of them;
// the rows show how near to that floor the library's own presents come.
// Run with VANTREL_VIDEO=sdl, as sdl_present.cpp's header shows; otherwise
// (and without an X display) each row reports an error and skips.
#include "present_timing.h"

#include <SDL.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 640, kHeight = 480;

// The frame's pixels, the same pattern the library's rig fills.
std::vector<uint16_t> framePixels()
{
    std::vector<uint16_t> pixels(static_cast<size_t>(kWidth) * kHeight);
    auto* bytes = reinterpret_cast<unsigned char*>(pixels.data());
    for (size_t i = 0; i < pixels.size() * 2; ++i)
        bytes[i] = static_cast<unsigned char>(i * 7);
    return pixels;
}

// The library's rows run only with VANTREL_VIDEO=sdl; so do their peers.
bool onScreenAsked()
{
    const char* video = std::getenv("VANTREL_VIDEO");
    return video && std::string(video) == "sdl" && std::getenv("DISPLAY");
}

// SDL's video for the time of one benchmark, with a window of `w` x `h`.
class BareWindow {
public:
    BareWindow(int w, int h)
    {
        if (!onScreenAsked() || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            return;
        started_ = true;
        window_ = SDL_CreateWindow("peer", 0, 0, w, h, SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS);
    }
    ~BareWindow()
    {
        if (window_)
            SDL_DestroyWindow(window_);
        if (started_)
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    SDL_Window* get() const { return window_; }

    // Lets the window reach the screen before timing starts.
    template <typename Present>
    static void settle(Present present)
    {
        for (int i = 0; i < 20; ++i) {
            SDL_PumpEvents();
            present();
        }
    }

private:
    bool started_ = false;
    SDL_Window* window_ = nullptr;
};

void BM_SdlPresentPeerWindowSurface16(benchmark::State& state)
{
    BareWindow window(kWidth, kHeight);
    SDL_Surface* target = window.get() ? SDL_GetWindowSurface(window.get()) : nullptr;
    std::vector<uint16_t> pixels = framePixels();
    SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), kWidth, kHeight, 16, kWidth * 2,
                                                            SDL_PIXELFORMAT_RGB565);
    if (!target || !frame) {
        state.SkipWithError("needs VANTREL_VIDEO=sdl and an X display");
        SDL_FreeSurface(frame);
        return;
    }
    auto present = [&] { return SDL_BlitSurface(frame, nullptr, target, nullptr) == 0 &&
                                SDL_UpdateWindowSurface(window.get()) == 0; };
    BareWindow::settle(present);
    timePresents(state, pixels.size() * 2, present);
    SDL_FreeSurface(frame);
}

// The renderer `driver` names (SDL's own choice when null) for `window`.
SDL_Renderer* rendererFor(SDL_Window* window, const char* driver)
{
    if (!window)
        return nullptr;
    const int count = SDL_GetNumRenderDrivers();
    int index = -1;
    for (int i = 0; driver && i < count; ++i) {
        SDL_RendererInfo info;
        if (SDL_GetRenderDriverInfo(i, &info) == 0 && std::string(info.name) == driver)
            index = i;
    }
    return driver && index < 0 ? nullptr : SDL_CreateRenderer(window, index, 0);
}

// A streaming RGB565 texture shown at `to` (black around it) in a window of
// `w` x `h`, through the renderer `driver` names (SDL's choice when null).
void presentThroughRenderer(benchmark::State& state, int w, int h, SDL_Rect to, const char* driver)
{
    BareWindow window(w, h);
    SDL_Renderer* renderer = rendererFor(window.get(), driver);
    SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565,
                                                        SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight)
                                    : nullptr;
    if (!texture) {
        state.SkipWithError("needs VANTREL_VIDEO=sdl and an X display");
        if (renderer)
            SDL_DestroyRenderer(renderer);
        return;
    }
    SDL_RenderSetVSync(renderer, 0);
    std::vector<uint16_t> pixels = framePixels();
    auto present = [&] {
        const bool ok = SDL_UpdateTexture(texture, nullptr, pixels.data(), kWidth * 2) == 0 &&
                        SDL_RenderClear(renderer) == 0 && SDL_RenderCopy(renderer, texture, nullptr, &to) == 0;
        SDL_RenderPresent(renderer);
        return ok;
    };
    BareWindow::settle(present);
    timePresents(state, pixels.size() * 2, present);
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
}

void presentOneToOne(benchmark::State& state, const char* driver)
{
    presentThroughRenderer(state, kWidth, kHeight, SDL_Rect{0, 0, kWidth, kHeight}, driver);
}

void presentScaledToScreen(benchmark::State& state, const char* driver)
{
    SDL_Rect screen{0, 0, 0, 0};
    if (!onScreenAsked() || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError("needs VANTREL_VIDEO=sdl and an X display");
        return;
    }
    if (SDL_GetDisplayBounds(0, &screen) != 0) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        state.SkipWithError("needs VANTREL_VIDEO=sdl and an X display");
        return;
    }
    const int scale = std::max(1, std::min(screen.w / kWidth, screen.h / kHeight));
    const SDL_Rect to{(screen.w - kWidth * scale) / 2, (screen.h - kHeight * scale) / 2, kWidth * scale,
                      kHeight * scale};
    presentThroughRenderer(state, screen.w, screen.h, to, driver);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void BM_SdlPresentPeerRenderer16(benchmark::State& state) { presentOneToOne(state, nullptr); }
void BM_SdlPresentPeerSoftwareRenderer16(benchmark::State& state) { presentOneToOne(state, "software"); }
void BM_SdlPresentPeerFullScreen16(benchmark::State& state) { presentScaledToScreen(state, nullptr); }
void BM_SdlPresentPeerSoftwareFullScreen16(benchmark::State& state) { presentScaledToScreen(state, "software"); }

} // namespace

BENCHMARK(BM_SdlPresentPeerWindowSurface16)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_SdlPresentPeerRenderer16)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_SdlPresentPeerSoftwareRenderer16)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_SdlPresentPeerFullScreen16)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_SdlPresentPeerSoftwareFullScreen16)->UseRealTime()->MinTime(0.5);
