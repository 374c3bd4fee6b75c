// RLE sprite blits on a 640x480 5-6-5 surface: 1,000 64x64 sprites (discs,
// a third of the square transparent) at random positions, some clipped by
// the surface's edges, per mode, each against SDL2 blitting the same sprites
// as colour-keyed RLE surfaces in the same loop (bench/peer_compare.h):
//   Blt, BltNoEffects               vs SDL RLE colour key
//   Blt50, ShadowBlt, FadeBlt,
//   BlendBlt (level 128)            vs SDL RLE colour key + alpha modulation 128
//   ColorBlt (level 128)            vs SDL RLE colour key + colour modulation
//                                      + alpha modulation 128
// Argument 0: hard-edged sprites (opaque and skip runs only); 1: the same
// discs with a two-pixel ring of level pixels at the edge (SDL draws the
// ring opaque, so both draw the same pixels).
#include <benchmark/benchmark.h>

#include <vantrel/seam/code_path_testing.h>
#include "peer_compare.h"

#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>

#include "surface/blit_rows.h"

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#if defined(VANTREL_HAVE_SDL2) || __has_include(<SDL2/SDL.h>)
#include <SDL2/SDL.h>
#define RLE_BENCH_SDL 1
#endif

namespace {

constexpr int kSprite = 64, kSprites = 1000, kShapes = 8;
constexpr int kWidth = 640, kHeight = 480;
constexpr uint16_t kKey = 0xF81F; // the SDL peer's colour key (magenta)

struct Sprite {
    std::vector<uint16_t> colour; // 5-6-5
    std::vector<uint8_t> alpha;   // 0 transparent, 255 opaque, else a level
};

// A disc with a soft rim: outside the radius transparent (about a third of
// the square), a two-pixel rim of levels, opaque inside.
Sprite makeSprite(std::mt19937& rng, bool ring)
{
    Sprite s{std::vector<uint16_t>(kSprite * kSprite), std::vector<uint8_t>(kSprite * kSprite)};
    const double r = 36.0;
    const unsigned base = rng();
    for (int y = 0; y < kSprite; ++y)
        for (int x = 0; x < kSprite; ++x) {
            const double d = std::hypot(x - 31.5, y - 31.5);
            const double a = std::clamp((r - d) / 2.0, 0.0, 1.0);
            uint16_t c = static_cast<uint16_t>((base + x * 37 + y * 11 + (x ^ y) * 3) & 0xFFFF);
            if (c == kKey)
                c ^= 1;
            s.colour[y * kSprite + x] = c;
            const auto level = static_cast<uint8_t>(a * 255.0);
            s.alpha[y * kSprite + x] = ring ? level : level ? 255 : 0;
        }
    return s;
}

void putWord(std::vector<uint8_t>& v, unsigned w)
{
    v.push_back(static_cast<uint8_t>(w));
    v.push_back(static_cast<uint8_t>(w >> 8));
}

// Codes a sprite into 16-bit runs, level pixels pre-faded.
std::vector<uint8_t> encode(const Sprite& s)
{
    std::vector<uint8_t> v;
    auto kindOf = [](uint8_t a) { return a == 0 ? 0 : a == 255 ? 1 : 2; };
    for (int y = 0; y < kSprite; ++y) {
        int x = 0;
        while (x < kSprite) {
            const int kind = kindOf(s.alpha[y * kSprite + x]);
            int n = 0;
            while (x + n < kSprite && kindOf(s.alpha[y * kSprite + x + n]) == kind)
                ++n;
            putWord(v, static_cast<unsigned>(n) | (kind == 0 ? 0x8000u : kind == 2 ? 0x4000u : 0u));
            for (int i = 0; i < n && kind; ++i) {
                const uint8_t a = s.alpha[y * kSprite + x + i];
                const unsigned p = s.colour[y * kSprite + x + i];
                if (kind == 2) {
                    v.push_back(a);
                    putWord(v, FadeLo[a][p & 0xFF] + FadeHi[a][p >> 8]);
                } else {
                    putWord(v, p);
                }
            }
            x += n;
        }
        putWord(v, 0);
    }
    return v;
}

struct Scene {
    BITPLANEFX surface{};
    RLEFX images[kShapes]{};
    std::vector<Sprite> sprites;
    std::vector<POINT> at;

    explicit Scene(bool ring)
    {
        VTLPixelFormat f{};
        VTLBuildEffectTables(16, 0xF800, 0x07E0, 0x001F, &f);
        surface.bitsPerPixel = 16;
        surface.bytesPerPixel = 2;
        surface.format = f.formatCode;
        surface.create(kWidth, kHeight, false);
        std::mt19937 rng(42);
        for (int i = 0; i < kShapes; ++i) {
            sprites.push_back(makeSprite(rng, ring));
            const auto runs = encode(sprites.back());
            images[i].create(kSprite, kSprite, static_cast<unsigned long>(runs.size()));
            std::memcpy(images[i].runs, runs.data(), runs.size());
        }
        std::uniform_int_distribution<int> x(-kSprite / 2, kWidth - kSprite / 2), y(-kSprite / 2, kHeight - kSprite / 2);
        for (int i = 0; i < kSprites; ++i)
            at.push_back(POINT{x(rng), y(rng)});
    }
    static Scene& get(bool ring)
    {
        static Scene hard(false), soft(true);
        return ring ? soft : hard;
    }
};

#ifdef RLE_BENCH_SDL

// The same sprites as keyed RGB565 surfaces, RLE-accelerated by SDL, drawn
// onto a surface of their own.
struct SdlScene {
    SDL_Surface* dst = nullptr;
    SDL_Surface* sprites[kShapes]{};

    SdlScene(const Scene& s, int alpha, bool tint)
    {
        dst = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 16, SDL_PIXELFORMAT_RGB565);
        for (int i = 0; i < kShapes; ++i) {
            SDL_Surface* sp = SDL_CreateRGBSurfaceWithFormat(0, kSprite, kSprite, 16, SDL_PIXELFORMAT_RGB565);
            for (int y = 0; y < kSprite; ++y) {
                auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(sp->pixels) + y * sp->pitch);
                for (int x = 0; x < kSprite; ++x)
                    row[x] = s.sprites[i].alpha[y * kSprite + x] ? s.sprites[i].colour[y * kSprite + x] : kKey;
            }
            SDL_SetColorKey(sp, SDL_TRUE, kKey);
            if (alpha < 255) {
                SDL_SetSurfaceBlendMode(sp, SDL_BLENDMODE_BLEND);
                SDL_SetSurfaceAlphaMod(sp, static_cast<Uint8>(alpha));
            }
            if (tint)
                SDL_SetSurfaceColorMod(sp, 255, 0, 0);
            SDL_SetSurfaceRLE(sp, 1);
            sprites[i] = sp;
        }
    }
    ~SdlScene()
    {
        for (SDL_Surface* sp : sprites)
            SDL_FreeSurface(sp);
        SDL_FreeSurface(dst);
    }
    SdlScene(const SdlScene&) = delete;
    SdlScene& operator=(const SdlScene&) = delete;

    void draw(const Scene& s)
    {
        for (int i = 0; i < kSprites; ++i) {
            SDL_Rect r{s.at[i].x, s.at[i].y, kSprite, kSprite};
            SDL_BlitSurface(sprites[i % kShapes], nullptr, dst, &r);
        }
    }
};

#endif

enum class SdlPeer { Key, KeyAlpha128, KeyTintAlpha128 };

template <class Draw>
void runScene(benchmark::State& state, SdlPeer peer, Draw draw)
{
    Scene& s = Scene::get(state.range(0) != 0);
    std::vector<Peer> peers;
#ifdef RLE_BENCH_SDL
    SdlScene sdl(s, peer == SdlPeer::Key ? 255 : 128, peer == SdlPeer::KeyTintAlpha128);
    const char* name = peer == SdlPeer::Key           ? "SDL_RLE_key"
                       : peer == SdlPeer::KeyAlpha128 ? "SDL_RLE_key_alpha128"
                                                      : "SDL_RLE_key_tint_alpha128";
    peers.push_back({name, [&] { sdl.draw(s); }});
#else
    (void)peer;
#endif
    compare(state, kSprites,
            [&] {
                for (int i = 0; i < kSprites; ++i)
                    draw(s.surface, &s.images[i % kShapes], s.at[i]);
                benchmark::DoNotOptimize(s.surface.pixels);
            },
            peers);
}

void BM_Rle_Blt(benchmark::State& st)
{
    runScene(st, SdlPeer::Key, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.Blt(i, p); });
}
void BM_Rle_BltNoEffects(benchmark::State& st)
{
    runScene(st, SdlPeer::Key, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.BltNoEffects(i, p); });
}
void BM_Rle_Blt50(benchmark::State& st)
{
    runScene(st, SdlPeer::KeyAlpha128, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.Blt50(i, p); });
}
void BM_Rle_ShadowBlt(benchmark::State& st)
{
    runScene(st, SdlPeer::KeyAlpha128, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.ShadowBlt(i, p); });
}
void BM_Rle_FadeBlt(benchmark::State& st)
{
    runScene(st, SdlPeer::KeyAlpha128, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.FadeBlt(i, p, 128); });
}
void BM_Rle_BlendBlt(benchmark::State& st)
{
    runScene(st, SdlPeer::KeyAlpha128, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.BlendBlt(i, p, 128); });
}
void BM_Rle_ColorBlt(benchmark::State& st)
{
    runScene(st, SdlPeer::KeyTintAlpha128, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.ColorBlt(i, p, 0xF800, 128); });
}

// BlendBlt at level 128 on each code path this processor runs (0 plain, 1 SSE2,
// 2 SSSE3, 3 AVX2, 4 WebAssembly SIMD), sprites with level rings.
void BM_Rle_BltPath(benchmark::State& state)
{
    if (!::vtl::testing::codepath::force(vtl::kCodePaths[state.range(0)])) {
        state.SkipWithError("path not supported by this processor");
        return;
    }
    Scene& s = Scene::get(true);
    for (auto _ : state)
        for (int i = 0; i < kSprites; ++i)
            s.surface.BlendBlt(&s.images[i % kShapes], s.at[i], 128);
    state.SetItemsProcessed(state.iterations() * kSprites);
    ::vtl::testing::codepath::reset();
}

} // namespace

BENCHMARK(BM_Rle_Blt)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Rle_BltNoEffects)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Rle_Blt50)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Rle_ShadowBlt)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Rle_FadeBlt)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Rle_BlendBlt)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Rle_ColorBlt)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Rle_BltPath)->DenseRange(0, static_cast<int>(vtl::kCodePathCount) - 1);
