// Presenting a frame on a real screen: gfxCopyBackBuffer of a 640x480 16-bit
// system buffer plus gfxSwapBuffers on the SDL backend, in a window and in
// full screen, each reported as a multiple of one memcpy of the same frame
// measured in the same run (counter "x_memcpy").  Needs the SDL backend, so
// it is run on its own under X:
//   VANTREL_VIDEO=sdl xvfb-run -s "-screen 0 1280x1024x24"
//       build/bench/vantrel-bench --benchmark_filter=SdlPresent
// (one command line).
// Elsewhere (the headless backend was chosen) it reports an error and skips.
#include <vantrel/bitplanefx.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/window.h>

#include <vantrel/seam/window_backend.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

LRESULT CALLBACK plainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Nanoseconds of one memcpy of `bytes`, the best of several rounds.
double memcpyNanoseconds(size_t bytes)
{
    std::vector<unsigned char> from(bytes, 0x5A), to(bytes);
    double best = 1e18;
    for (int round = 0; round < 20; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 50; ++i) {
            std::memcpy(to.data(), from.data(), bytes);
            benchmark::ClobberMemory();
        }
        const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, ns / 50);
    }
    return best;
}

void presentOnScreen(benchmark::State& state, bool fullscreen)
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
    VTLHND handle;
    handle.gfxSetup(window, w, h, 16);
    handle.Override();
    handle.isFullscreen = fullscreen;
    if (handle.gfxBegin() != 1) {
        state.SkipWithError("display did not start");
        return;
    }
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT onScreen{origin.x, origin.y, origin.x + w, origin.y + h};
    handle.gfxSetWindowRect(&onScreen);

    BITPLANEFX frame;
    std::memset(&frame, 0, sizeof frame);
    frame.format = handle.formatCode;
    frame.bitsPerPixel = handle.bitsPerPixel;
    frame.bytesPerPixel = handle.bytesPerPixel;
    frame.create(w, h, false);
    for (DWORD i = 0; i < frame.pitch * h; ++i)
        frame.pixels[i] = static_cast<unsigned char>(i * 7);
    MSG msg;
    for (int i = 0; i < 20; ++i) { // let the window settle on the screen
        handle.gfxCopyBackBuffer(&frame);
        handle.gfxSwapBuffers();
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    const double peer = memcpyNanoseconds(static_cast<size_t>(w) * h * 2);
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        bool ok = handle.gfxCopyBackBuffer(&frame);
        ok &= handle.gfxSwapBuffers();
        benchmark::DoNotOptimize(ok);
    }
    const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
    state.counters["memcpy_us"] = peer / 1000;
    state.counters["x_memcpy"] = state.iterations() ? ns / state.iterations() / peer : 0;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * w * h * 2);
    frame.release();
    handle.gfxEnd();
}

void BM_SdlPresentWindow16(benchmark::State& state) { presentOnScreen(state, false); }
void BM_SdlPresentFullscreen16(benchmark::State& state) { presentOnScreen(state, true); }

} // namespace

BENCHMARK(BM_SdlPresentWindow16)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_SdlPresentFullscreen16)->UseRealTime()->MinTime(0.5);
