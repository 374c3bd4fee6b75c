// Presenting a frame on a real screen: gfxCopyBackBuffer of a 640x480 16-bit
// system buffer plus gfxSwapBuffers on the SDL backend, in a window and in
// full screen (as games flip, waiting for the vertical blank, and with
// DDFLIP_NOVSYNC), each reported as a multiple of one memcpy of the same
// frame measured in the same run: wall time ("x_memcpy") and this thread's
// processor time ("cpu_x_memcpy"; a renderer's own worker threads, such as
// llvmpipe's, are not counted).  Needs the SDL backend, so it is run on its
// own under X (SDL_RENDER_DRIVER left unset: under Xvfb the library then
// takes SDL's software renderer over OpenGL on llvmpipe; set it to compare
// renderers):
//   VANTREL_VIDEO=sdl xvfb-run -s "-screen 0 1280x1024x24"
//       build/bench/vantrel-bench --benchmark_filter=SdlPresent
// (one command line) runs these rows and their peers, SDL alone showing the
// same frame (sdl_present_peers.cpp), in the same run.
// The rows ending in "Table" widen the frame through the 65,536-entry table
// instead of the vector kernels, as every 16-bit present did before them.
// Elsewhere (the headless backend was chosen) it reports an error and skips.
#include "present_rig.h"
#include "present_timing.h"

#include <vantrel/seam/code_path_testing.h>
#include <vantrel/seam/window_backend.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

LRESULT CALLBACK plainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

enum class Show { Window, Fullscreen, FullscreenNoVsync };

void presentOnScreen(benchmark::State& state, Show show, bool plainWidening = false)
{
    // Asked for by name only: choosing a backend here would take the
    // headless one from the other display benchmarks of this program.
    const char* video = std::getenv("VANTREL_VIDEO");
    if (!video || std::string(video) != "sdl" || std::string(vtl::videoBackendName()) != "sdl") {
        state.SkipWithError("needs VANTREL_VIDEO=sdl and an X display");
        return;
    }
    constexpr unsigned short w = 640, h = 480;
    static const HWND window = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = plainProcedure;
        wc.lpszClassName = "VantrelSdlPresentBench";
        RegisterClassExA(&wc);
        RECT r{0, 0, w, h};
        AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
        HWND hwnd = CreateWindowExA(0, "VantrelSdlPresentBench", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                    r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
        return hwnd;
    }();
    if (plainWidening)
        vtl::testing::codepath::force(vtl::CodePath::Plain);
    PresentRig rig;
    if (!rig.begin(window, w, h, show != Show::Window)) {
        state.SkipWithError("display did not start");
        return;
    }
    auto once = [&] { return show == Show::FullscreenNoVsync ? rig.presentWithoutVsync() : rig.present(); };
    MSG msg;
    for (int i = 0; i < 20; ++i) { // let the window settle on the screen
        once();
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    timePresents(state, static_cast<size_t>(w) * h * 2, once);
    vtl::testing::codepath::reset();
}

void BM_SdlPresentWindow16(benchmark::State& state) { presentOnScreen(state, Show::Window); }
void BM_SdlPresentFullscreen16(benchmark::State& state) { presentOnScreen(state, Show::Fullscreen); }
void BM_SdlPresentFullscreen16NoVsync(benchmark::State& state) { presentOnScreen(state, Show::FullscreenNoVsync); }
void BM_SdlPresentWindow16Table(benchmark::State& state)
{
    presentOnScreen(state, Show::Window, true);
}
void BM_SdlPresentFullscreen16NoVsyncTable(benchmark::State& state)
{
    presentOnScreen(state, Show::FullscreenNoVsync, true);
}

} // namespace

BENCHMARK(BM_SdlPresentWindow16)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_SdlPresentFullscreen16)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_SdlPresentFullscreen16NoVsync)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_SdlPresentWindow16Table)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_SdlPresentFullscreen16NoVsyncTable)->UseRealTime()->MinTime(0.5);
