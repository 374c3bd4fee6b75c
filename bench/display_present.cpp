// A frame reaching the display: gfxCopyBackBuffer of the system buffer plus
// gfxSwapBuffers, in a window and in full screen, at 16 bits, against a plain
// memcpy of the same bytes (the least any presentation must cost).  Runs on
// the headless backend, so the numbers are the library's own work.
#include "present_rig.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

LRESULT CALLBACK plainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND benchWindow()
{
    static HWND window = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = plainProcedure;
        wc.lpszClassName = "VantrelPresentBench";
        RegisterClassExA(&wc);
        return CreateWindowExA(0, "VantrelPresentBench", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
    }();
    return window;
}

void presentFrame(benchmark::State& state, bool fullscreen)
{
    setenv("VANTREL_VIDEO", "headless", 0);
    setenv("VANTREL_DESKTOP", "rgb565", 1);
    const auto w = static_cast<unsigned short>(state.range(0));
    const auto h = static_cast<unsigned short>(state.range(1));
    PresentRig rig;
    if (!rig.begin(benchWindow(), w, h, fullscreen)) {
        state.SkipWithError("display did not start");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(rig.present());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * w * h * 2);
}

void BM_PresentWindow16(benchmark::State& state) { presentFrame(state, false); }
void BM_PresentFullscreen16(benchmark::State& state) { presentFrame(state, true); }

// The peer: one copy of the frame's bytes.
void BM_PresentMemcpy16(benchmark::State& state)
{
    const size_t bytes = static_cast<size_t>(state.range(0)) * state.range(1) * 2;
    std::vector<unsigned char> from(bytes, 0x5A), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

} // namespace

BENCHMARK(BM_PresentMemcpy16)->Args({640, 480})->Args({800, 600});
BENCHMARK(BM_PresentWindow16)->Args({640, 480})->Args({800, 600});
BENCHMARK(BM_PresentFullscreen16)->Args({640, 480})->Args({800, 600});
