// Surface drawing against its peers, on 16-bit 5-6-5 surfaces: a 640 x 480
// full-surface blit and 1,000 64 x 64 sprites at random positions per frame.
//
// Each row times this library and every peer on the same work in the same
// loop.  items_per_second is this library's pixel rate; for each peer P the
// row adds P_px/s (its rate) and vs_P (its time over ours: above 1 means this
// library is faster).
//   build/bench/vantrel-bench --benchmark_filter='Surface'
#include <vantrel/bitplanefx.h>
#include <vantrel/lutfx.h>
#include <vantrel/pixelformat.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <vantrel/seam/code_path_testing.h>
#include "peer_compare.h"
#include "surface/blit_rows.h"

#ifdef VANTREL_HAVE_SDL2
#include <SDL.h>
#endif
#ifdef VANTREL_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

constexpr int kScreenW = 640, kScreenH = 480, kSprite = 64, kSprites = 1000;

struct Surface16 : BITPLANEFX {
    Surface16(int w, int h, bool withAlpha, uint32_t seed)
    {
        std::memset(static_cast<BITPLANEFX*>(this), 0, sizeof(BITPLANEFX));
        format = PF_RGB565;
        bitsPerPixel = 16;
        bytesPerPixel = 2;
        create(w, h, withAlpha);
        std::mt19937 rng(seed);
        for (DWORD i = 0; i < pitch * static_cast<DWORD>(h); ++i)
            pixels[i] = static_cast<uint8_t>(rng());
        if (alpha)
            for (int i = 0; i < w * h; ++i) {
                const unsigned r = rng() % 4;
                alpha[i] = r == 0 ? 0 : r == 1 ? 255 : static_cast<uint8_t>(rng());
            }
        // A key that covers a quarter of the pixels, as a sprite's background would.
        colorKey = 0xF81F;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (rng() % 4 == 0)
                    std::memcpy(pixels + y * pitch + x * 2, &colorKey, 2);
    }
    ~Surface16() { release(); }
};

struct Scene {
    bool sprites;
    int w() const { return sprites ? kSprite : kScreenW; }
    int h() const { return sprites ? kSprite : kScreenH; }
    double pixels() const { return sprites ? double{kSprites} * kSprite * kSprite : double{kScreenW} * kScreenH; }
    std::vector<tagPOINT> positions;
    explicit Scene(bool s) : sprites(s)
    {
        std::mt19937 rng(42);
        const int n = sprites ? kSprites : 1;
        for (int i = 0; i < n; ++i)
            positions.push_back(sprites ? tagPOINT{static_cast<LONG>(rng() % (kScreenW - kSprite + 1)),
                                                   static_cast<LONG>(rng() % (kScreenH - kSprite + 1))}
                                        : tagPOINT{0, 0});
    }
    template <class F>
    void each(F f) const
    {
        for (const tagPOINT& p : positions)
            f(p);
    }
};

void useRgb565()
{
    VTLPixelFormat f;
    VTLBuildEffectTables(16, 0xF800, 0x07E0, 0x001F, &f);
}

// The same pixels in every peer's own image type.
struct Peers {
    const Surface16& src;
    Surface16 dst{kScreenW, kScreenH, false, 7};
#ifdef VANTREL_HAVE_SDL2
    SDL_Surface* sdlSrc = nullptr;
    SDL_Surface* sdlDst = nullptr;
#endif
#ifdef VANTREL_HAVE_PIXMAN
    pixman_image_t* pxSrc = nullptr;
    pixman_image_t* pxDst = nullptr;
    pixman_image_t* pxArgb = nullptr;
    std::vector<uint32_t> argb;
#endif
    explicit Peers(const Surface16& s) : src(s)
    {
#ifdef VANTREL_HAVE_SDL2
        sdlSrc = SDL_CreateRGBSurfaceWithFormatFrom(s.pixels, s.width, s.height, 16, static_cast<int>(s.pitch),
                                                    SDL_PIXELFORMAT_RGB565);
        sdlDst = SDL_CreateRGBSurfaceWithFormatFrom(dst.pixels, dst.width, dst.height, 16,
                                                    static_cast<int>(dst.pitch), SDL_PIXELFORMAT_RGB565);
        SDL_SetSurfaceBlendMode(sdlSrc, SDL_BLENDMODE_NONE);
#endif
#ifdef VANTREL_HAVE_PIXMAN
        pxSrc = pixman_image_create_bits(PIXMAN_r5g6b5, s.width, s.height, reinterpret_cast<uint32_t*>(s.pixels),
                                         static_cast<int>(s.pitch));
        pxDst = pixman_image_create_bits(PIXMAN_r5g6b5, dst.width, dst.height,
                                         reinterpret_cast<uint32_t*>(dst.pixels), static_cast<int>(dst.pitch));
        if (s.alpha) {
            // Premultiplied a8r8g8b8 with the same alpha plane.
            argb.resize(static_cast<size_t>(s.width) * s.height);
            for (int y = 0; y < s.height; ++y)
                for (int x = 0; x < s.width; ++x) {
                    uint16_t p;
                    std::memcpy(&p, s.pixels + y * s.pitch + x * 2, 2);
                    const uint32_t a = s.alpha[y * s.width + x];
                    const uint32_t r = ((p >> 11) << 3) * a / 255, g = (((p >> 5) & 63) << 2) * a / 255,
                                   b = ((p & 31) << 3) * a / 255;
                    argb[static_cast<size_t>(y) * s.width + x] = a << 24 | r << 16 | g << 8 | b;
                }
            pxArgb = pixman_image_create_bits(PIXMAN_a8r8g8b8, s.width, s.height, argb.data(), s.width * 4);
        }
#endif
    }
    ~Peers()
    {
#ifdef VANTREL_HAVE_SDL2
        SDL_FreeSurface(sdlSrc);
        SDL_FreeSurface(sdlDst);
#endif
#ifdef VANTREL_HAVE_PIXMAN
        pixman_image_unref(pxSrc);
        pixman_image_unref(pxDst);
        if (pxArgb)
            pixman_image_unref(pxArgb);
#endif
    }

    Peer memcpyRows(const Scene& sc)
    {
        return {"memcpy", [this, &sc] {
                    const size_t row = static_cast<size_t>(sc.w()) * 2;
                    sc.each([&](tagPOINT p) {
                        for (int y = 0; y < sc.h(); ++y)
                            std::memcpy(dst.pixels + (p.y + y) * dst.pitch + p.x * 2, src.pixels + y * src.pitch, row);
                    });
                }};
    }

#ifdef VANTREL_HAVE_SDL2
    Peer sdl(const Scene& sc, const char* name, const std::function<void()>& setUp)
    {
        return {name, [this, &sc, setUp] {
                    setUp();
                    sc.each([&](tagPOINT p) {
                        SDL_Rect d{p.x, p.y, sc.w(), sc.h()};
                        SDL_BlitSurface(sdlSrc, nullptr, sdlDst, &d);
                    });
                }};
    }
#endif

#ifdef VANTREL_HAVE_PIXMAN
    Peer pixmanOver(const Scene& sc, uint16_t level, pixman_image_t* source, const char* name)
    {
        return {name, [this, &sc, level, source] {
                    pixman_color_t c{0, 0, 0, static_cast<uint16_t>(level * 257)};
                    pixman_image_t* mask = pixman_image_create_solid_fill(&c);
                    sc.each([&](tagPOINT p) {
                        pixman_image_composite32(PIXMAN_OP_OVER, source, mask, pxDst, 0, 0, 0, 0, p.x, p.y, sc.w(),
                                                 sc.h());
                    });
                    pixman_image_unref(mask);
                }};
    }
#endif
};

tagRECT whole(const Scene& sc) { return tagRECT{0, 0, sc.w(), sc.h()}; }

void BM_Surface_Blt(benchmark::State& state)
{
    useRgb565();
    const Scene sc(state.range(0) != 0);
    Surface16 src(sc.w(), sc.h(), false, 1), dst(kScreenW, kScreenH, false, 2);
    Peers peers(src);
    std::vector<Peer> list{peers.memcpyRows(sc)};
#ifdef VANTREL_HAVE_SDL2
    list.push_back(peers.sdl(sc, "SDL", [&] { SDL_SetSurfaceBlendMode(peers.sdlSrc, SDL_BLENDMODE_NONE); }));
#endif
    compare(state, sc.pixels(), [&] { sc.each([&](tagPOINT p) { tagRECT r = whole(sc); dst.Blt(&src, p, &r); }); },
            list);
}

void BM_Surface_TransBlt(benchmark::State& state)
{
    useRgb565();
    const Scene sc(state.range(0) != 0);
    Surface16 src(sc.w(), sc.h(), false, 1), dst(kScreenW, kScreenH, false, 2);
    Peers peers(src);
    std::vector<Peer> list;
#ifdef VANTREL_HAVE_SDL2
    // Two SDL surfaces, so that the run-length one keeps its encoding.
    SDL_Surface* rle = SDL_CreateRGBSurfaceWithFormat(0, sc.w(), sc.h(), 16, SDL_PIXELFORMAT_RGB565);
    SDL_BlitSurface(peers.sdlSrc, nullptr, rle, nullptr);
    SDL_SetColorKey(rle, SDL_TRUE, src.colorKey);
    SDL_SetSurfaceRLE(rle, 1);
    SDL_SetColorKey(peers.sdlSrc, SDL_TRUE, src.colorKey);
    list.push_back(peers.sdl(sc, "SDL_key", [] {}));
    list.push_back({"SDL_key_RLE", [&] {
                        sc.each([&](tagPOINT p) {
                            SDL_Rect d{p.x, p.y, sc.w(), sc.h()};
                            SDL_BlitSurface(rle, nullptr, peers.sdlDst, &d);
                        });
                    }});
#endif
    compare(state, sc.pixels(),
            [&] { sc.each([&](tagPOINT p) { tagRECT r = whole(sc); dst.TransBlt(&src, p, &r); }); }, list);
#ifdef VANTREL_HAVE_SDL2
    SDL_FreeSurface(rle);
#endif
}

enum Mix { MIX_FADE, MIX_BLEND, MIX_HALF };

void mixBenchmark(benchmark::State& state, Mix mix)
{
    useRgb565();
    const Scene sc(state.range(0) != 0);
    Surface16 src(sc.w(), sc.h(), false, 1), dst(kScreenW, kScreenH, false, 2);
    Peers peers(src);
    const unsigned char level = mix == MIX_HALF ? 128 : 160;
    std::vector<Peer> list;
#ifdef VANTREL_HAVE_SDL2
    list.push_back(peers.sdl(sc, "SDL_alphamod", [&] {
        SDL_SetSurfaceBlendMode(peers.sdlSrc, SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceAlphaMod(peers.sdlSrc, level);
    }));
#endif
#ifdef VANTREL_HAVE_PIXMAN
    list.push_back(peers.pixmanOver(sc, level, peers.pxSrc, "pixman"));
#endif
    compare(state, sc.pixels(),
            [&] {
                sc.each([&](tagPOINT p) {
                    tagRECT r = whole(sc);
                    if (mix == MIX_FADE)
                        dst.FadeBlt(&src, p, &r, level);
                    else if (mix == MIX_BLEND)
                        dst.BlendBlt(&src, p, &r, level);
                    else
                        dst.Blt50(&src, p, &r);
                });
            },
            list);
}

void BM_Surface_FadeBlt(benchmark::State& state) { mixBenchmark(state, MIX_FADE); }
void BM_Surface_BlendBlt(benchmark::State& state) { mixBenchmark(state, MIX_BLEND); }
void BM_Surface_Blt50(benchmark::State& state) { mixBenchmark(state, MIX_HALF); }

void BM_Surface_AlphaBlt(benchmark::State& state)
{
    useRgb565();
    const Scene sc(state.range(0) != 0);
    Surface16 src(sc.w(), sc.h(), true, 1), dst(kScreenW, kScreenH, false, 2);
    Peers peers(src);
    std::vector<Peer> list;
#ifdef VANTREL_HAVE_PIXMAN
    list.push_back({"pixman_argb", [&] {
                        sc.each([&](tagPOINT p) {
                            pixman_image_composite32(PIXMAN_OP_OVER, peers.pxArgb, nullptr, peers.pxDst, 0, 0, 0, 0,
                                                     p.x, p.y, sc.w(), sc.h());
                        });
                    }});
#endif
    compare(state, sc.pixels(),
            [&] { sc.each([&](tagPOINT p) { tagRECT r = whole(sc); dst.AlphaBlt(&src, p, &r); }); }, list);
}

// Forces the code path the benchmark's argument names (0 plain, 1 SSE2,
// 2 SSSE3, 3 AVX2, 4 WebAssembly SIMD); false, with the benchmark skipped, where this processor
// cannot run it.  The caller resets the switch when done.
bool forcePathOfArgument(benchmark::State& state)
{
    if (::vtl::testing::codepath::force(vtl::kCodePaths[state.range(0)]))
        return true;
    state.SkipWithError("path not supported by this processor");
    return false;
}

// The blend kernels on each code path this processor runs (0 plain, 1 SSE2,
// 2 SSSE3, 3 AVX2, 4 WebAssembly SIMD), full screen.
void BM_Surface_BlendBltPath(benchmark::State& state)
{
    if (!forcePathOfArgument(state))
        return;
    useRgb565();
    Surface16 src(kScreenW, kScreenH, false, 1), dst(kScreenW, kScreenH, false, 2);
    for (auto _ : state)
        dst.BlendBlt(&src, {0, 0}, nullptr, 160);
    state.SetItemsProcessed(state.iterations() * kScreenW * kScreenH);
    ::vtl::testing::codepath::reset();
}

void BM_Surface_Hline(benchmark::State& state)
{
    useRgb565();
    Surface16 dst(kScreenW, kScreenH, false, 2);
    std::vector<Peer> list;
#ifdef VANTREL_HAVE_SDL2
    SDL_Surface* sdlDst = SDL_CreateRGBSurfaceWithFormatFrom(dst.pixels, kScreenW, kScreenH, 16,
                                                             static_cast<int>(dst.pitch), SDL_PIXELFORMAT_RGB565);
    list.push_back({"SDL_FillRect", [&] {
                        for (int y = 0; y < kScreenH; ++y) {
                            SDL_Rect r{0, y, kScreenW, 1};
                            SDL_FillRect(sdlDst, &r, 0x1234);
                        }
                    }});
#endif
    compare(state, double{kScreenW} * kScreenH,
            [&] {
                for (int y = 0; y < kScreenH; ++y)
                    dst.hline(0, kScreenW - 1, y, 0x1234);
            },
            list);
#ifdef VANTREL_HAVE_SDL2
    SDL_FreeSurface(sdlDst);
#endif
}

void BM_Surface_Line(benchmark::State& state)
{
    useRgb565();
    Surface16 dst(kScreenW, kScreenH, false, 2);
    std::mt19937 rng(3);
    std::vector<int> ends(4000);
    double pixels = 0;
    for (size_t i = 0; i < ends.size(); i += 4) {
        ends[i] = static_cast<int>(rng() % kScreenW);
        ends[i + 1] = static_cast<int>(rng() % kScreenH);
        ends[i + 2] = static_cast<int>(rng() % kScreenW);
        ends[i + 3] = static_cast<int>(rng() % kScreenH);
        pixels += std::max(std::abs(ends[i] - ends[i + 2]), std::abs(ends[i + 1] - ends[i + 3]));
    }
    compare(state, pixels,
            [&] {
                for (size_t i = 0; i < ends.size(); i += 4)
                    dst.line(ends[i], ends[i + 1], ends[i + 2], ends[i + 3], 0xFFFF);
            },
            {});
}

void BM_Surface_FillEllipse(benchmark::State& state)
{
    useRgb565();
    Surface16 dst(kScreenW, kScreenH, false, 2);
    compare(state, 3.14159265 * 300 * 220, [&] { dst.fillellipse(320, 240, 300, 220, 0x07E0); }, {});
}

// Scaled copy of a whole-screen area from a half-size (2x) or double-size
// (0.5x) source.
void BM_Surface_ScaledBlt(benchmark::State& state)
{
    useRgb565();
    const bool up = state.range(0) == 2;
    const int sw = up ? kScreenW / 2 : kScreenW * 2, sh = up ? kScreenH / 2 : kScreenH * 2;
    Surface16 src(sw, sh, false, 1), dst(kScreenW, kScreenH, false, 2);
    std::vector<Peer> list;
#ifdef VANTREL_HAVE_SDL2
    SDL_Surface* sdlSrc =
        SDL_CreateRGBSurfaceWithFormatFrom(src.pixels, sw, sh, 16, static_cast<int>(src.pitch), SDL_PIXELFORMAT_RGB565);
    SDL_Surface* sdlDst = SDL_CreateRGBSurfaceWithFormat(0, kScreenW, kScreenH, 16, SDL_PIXELFORMAT_RGB565);
    SDL_SetSurfaceBlendMode(sdlSrc, SDL_BLENDMODE_NONE);
    list.push_back({"SDL_BlitScaled", [&] {
                        SDL_Rect d{0, 0, kScreenW, kScreenH};
                        SDL_BlitScaled(sdlSrc, nullptr, sdlDst, &d);
                    }});
#endif
    compare(state, double{kScreenW} * kScreenH,
            [&] { dst.Blt(&src, {0, 0}, nullptr, static_cast<unsigned long>(kScreenW), kScreenH); }, list);
#ifdef VANTREL_HAVE_SDL2
    SDL_FreeSurface(sdlSrc);
    SDL_FreeSurface(sdlDst);
#endif
}

// A full-screen lookup image of random indices into 256 random entries
// (colour and alpha), the same in every lookup benchmark.
void fillRandomLookupImage(LUTFX& lut)
{
    std::memset(&lut, 0, sizeof lut);
    lut.create(kScreenW, kScreenH);
    std::mt19937 rng(5);
    for (int i = 0; i < kScreenW * kScreenH; ++i)
        lut.front[i] = static_cast<uint8_t>(rng());
    for (int i = 0; i < 256; ++i)
        lut.entries[i] = static_cast<DWORD>(rng());
}

// A full-screen lookup image against the same image drawn by SDL as an
// ARGB8888 surface with per-pixel alpha (each pixel its entry's colour and
// alpha) blended onto a 5-6-5 surface.
void BM_Surface_LutBlt(benchmark::State& state)
{
    useRgb565();
    Surface16 dst(kScreenW, kScreenH, false, 2);
    LUTFX lut;
    fillRandomLookupImage(lut);
    std::vector<Peer> list;
#ifdef VANTREL_HAVE_SDL2
    std::vector<uint32_t> argb(static_cast<size_t>(kScreenW) * kScreenH);
    for (size_t i = 0; i < argb.size(); ++i) {
        const DWORD e = lut.entries[lut.front[i]];
        const uint32_t r = ((e >> 11) & 31) << 3, g = ((e >> 5) & 63) << 2, b = (e & 31) << 3;
        argb[i] = (e >> 24) << 24 | r << 16 | g << 8 | b;
    }
    SDL_Surface* sdlSrc = SDL_CreateRGBSurfaceWithFormatFrom(argb.data(), kScreenW, kScreenH, 32, kScreenW * 4,
                                                             SDL_PIXELFORMAT_ARGB8888);
    SDL_Surface* sdlDst = SDL_CreateRGBSurfaceWithFormat(0, kScreenW, kScreenH, 16, SDL_PIXELFORMAT_RGB565);
    SDL_SetSurfaceBlendMode(sdlSrc, SDL_BLENDMODE_BLEND);
    list.push_back({"SDL_argb", [&] {
                        SDL_Rect d{0, 0, kScreenW, kScreenH};
                        SDL_BlitSurface(sdlSrc, nullptr, sdlDst, &d);
                    }});
#endif
    compare(state, double{kScreenW} * kScreenH, [&] { dst.Blt(&lut, {0, 0}, nullptr); }, list);
#ifdef VANTREL_HAVE_SDL2
    SDL_FreeSurface(sdlSrc);
    SDL_FreeSurface(sdlDst);
#endif
    lut.release();
}

// The lookup-image rows on each code path (0 plain, 1 SSE2, 2 SSSE3, 3 AVX2).
void BM_Surface_LutBltPath(benchmark::State& state)
{
    if (!forcePathOfArgument(state))
        return;
    useRgb565();
    Surface16 dst(kScreenW, kScreenH, false, 2);
    LUTFX lut;
    fillRandomLookupImage(lut);
    for (auto _ : state)
        dst.Blt(&lut, {0, 0}, nullptr);
    state.SetItemsProcessed(state.iterations() * kScreenW * kScreenH);
    lut.release();
    ::vtl::testing::codepath::reset();
}

} // namespace

// Argument: 0 a 640 x 480 full-surface blit, 1 a frame of 1,000 64 x 64 sprites.
BENCHMARK(BM_Surface_Blt)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Surface_TransBlt)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Surface_FadeBlt)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Surface_BlendBlt)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Surface_Blt50)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Surface_AlphaBlt)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Surface_BlendBltPath)->DenseRange(0, static_cast<int>(vtl::kCodePathCount) - 1);
BENCHMARK(BM_Surface_Hline)->UseManualTime();
BENCHMARK(BM_Surface_Line)->UseManualTime();
BENCHMARK(BM_Surface_FillEllipse)->UseManualTime();
BENCHMARK(BM_Surface_ScaledBlt)->Arg(2)->Arg(0)->UseManualTime(); // 2: 2x, 0: 0.5x
BENCHMARK(BM_Surface_LutBlt)->UseManualTime();
BENCHMARK(BM_Surface_LutBltPath)->DenseRange(0, static_cast<int>(vtl::kCodePathCount) - 1);
