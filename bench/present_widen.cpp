// Widening a 640 x 480 frame to 32-bit xRGB for presentation, as the SDL
// backend does into its locked texture for every 8- and 16-bit frame.
//
// Present16Widen/N: a 5-6-5 frame of random pixels on the vector path N
// (0 SSE2, 1 AVX2, 2 WebAssembly SIMD; skipped where the processor has none), against the
// 65,536-entry table that was the only path before (and still defines the
// result) and SDL2's SDL_ConvertPixels from RGB565 to RGB888 (whose green
// misses the top bits: a full green gives 254).  Present8Palette: an 8-bit
// frame through its palette against SDL2 blitting a paletted surface to an
// RGB888 one.
//   build/bench/vantrel-bench --benchmark_filter='Present(16Widen|8Palette)'
#include "peer_compare.h"
#include "platform/ddraw/present_convert.h"

#include <vantrel/seam/code_path_testing.h>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#ifdef VANTREL_HAVE_SDL2
#include <SDL.h>
#endif

namespace {

constexpr int kW = 640, kH = 480;

std::vector<unsigned char> randomBytes(size_t n)
{
    std::mt19937 random(17);
    std::vector<unsigned char> bytes(n);
    for (unsigned char& b : bytes)
        b = static_cast<unsigned char>(random());
    return bytes;
}

void BM_Present16Widen(benchmark::State& state)
{
    const vtl::CodePath paths[] = {vtl::CodePath::Sse2, vtl::CodePath::Avx2, vtl::CodePath::Simd128};
    const vtl::CodePath path = paths[state.range(0)];
    if (!vtl::processorRuns(path)) {
        state.SkipWithError("path not supported by this processor");
        return;
    }
    const std::vector<unsigned char> frame = randomBytes(static_cast<size_t>(kW) * kH * 2);
    const vtl::PresentedImage image{frame.data(), kW * 2, kW, kH, vtl::PixelLayout{16, 0xF800, 0x07E0, 0x001F},
                                    nullptr};
    std::vector<uint32_t> out(static_cast<size_t>(kW) * kH);
    const RECT all{0, 0, kW, kH};

    std::vector<Peer> peers;
    peers.push_back({"table", [&] {
                         vtl::testing::codepath::force(vtl::CodePath::Plain);
                         vtl::convertToXrgb(image, all, out.data(), kW * 4);
                         benchmark::ClobberMemory();
                     }});
#ifdef VANTREL_HAVE_SDL2
    peers.push_back({"SDL", [&] {
                         SDL_ConvertPixels(kW, kH, SDL_PIXELFORMAT_RGB565, frame.data(), kW * 2,
                                           SDL_PIXELFORMAT_RGB888, out.data(), kW * 4);
                         benchmark::ClobberMemory();
                     }});
#endif
    compare(state, kW * kH,
            [&] {
                vtl::testing::codepath::force(path);
                vtl::convertToXrgb(image, all, out.data(), kW * 4);
                benchmark::ClobberMemory();
            },
            peers);
    vtl::testing::codepath::reset();
}

void BM_Present8Palette(benchmark::State& state)
{
    const std::vector<unsigned char> frame = randomBytes(static_cast<size_t>(kW) * kH);
    const std::vector<unsigned char> colours = randomBytes(256 * 3);
    PALETTEENTRY palette[256];
    for (int i = 0; i < 256; ++i)
        palette[i] = PALETTEENTRY{colours[3 * i], colours[3 * i + 1], colours[3 * i + 2], 0};
    const vtl::PresentedImage image{frame.data(), kW, kW, kH, vtl::PixelLayout{8, 0, 0, 0}, palette};
    std::vector<uint32_t> out(static_cast<size_t>(kW) * kH);
    const RECT all{0, 0, kW, kH};

    std::vector<Peer> peers;
#ifdef VANTREL_HAVE_SDL2
    SDL_Surface* from = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<unsigned char*>(frame.data()), kW, kH, 8, kW,
                                                           SDL_PIXELFORMAT_INDEX8);
    SDL_Surface* to = SDL_CreateRGBSurfaceWithFormatFrom(out.data(), kW, kH, 32, kW * 4, SDL_PIXELFORMAT_RGB888);
    SDL_Color sdlColours[256];
    for (int i = 0; i < 256; ++i)
        sdlColours[i] = SDL_Color{palette[i].peRed, palette[i].peGreen, palette[i].peBlue, 255};
    SDL_SetPaletteColors(from->format->palette, sdlColours, 0, 256);
    peers.push_back({"SDL", [&] {
                         SDL_BlitSurface(from, nullptr, to, nullptr);
                         benchmark::ClobberMemory();
                     }});
#endif
    compare(state, kW * kH,
            [&] {
                vtl::convertToXrgb(image, all, out.data(), kW * 4);
                benchmark::ClobberMemory();
            },
            peers);
#ifdef VANTREL_HAVE_SDL2
    SDL_FreeSurface(from);
    SDL_FreeSurface(to);
#endif
}

} // namespace

BENCHMARK(BM_Present16Widen)->DenseRange(0, 2)->UseManualTime();
BENCHMARK(BM_Present8Palette)->UseManualTime();
