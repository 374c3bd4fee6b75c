// RLE sprite blits on a 640x480 5-6-5 surface: 1,000 64x64 sprites (a third
// transparent, a ring of level pixels at the edge) at random positions, per
// mode, against SDL2 blitting the same sprites with a colour key and
// SDL_RLEACCEL (plain), and with alpha or colour modulation (the effects).
#include <benchmark/benchmark.h>

#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>

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
Sprite makeSprite(std::mt19937& rng)
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
            s.alpha[y * kSprite + x] = static_cast<uint8_t>(a * 255.0);
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

    Scene()
    {
        VTLPixelFormat f{};
        VTLBuildEffectTables(16, 0xF800, 0x07E0, 0x001F, &f);
        surface.bitsPerPixel = 16;
        surface.bytesPerPixel = 2;
        surface.format = f.formatCode;
        surface.create(kWidth, kHeight, false);
        std::mt19937 rng(42);
        for (int i = 0; i < kShapes; ++i) {
            sprites.push_back(makeSprite(rng));
            const auto runs = encode(sprites.back());
            images[i].create(kSprite, kSprite, static_cast<unsigned long>(runs.size()));
            std::memcpy(images[i].runs, runs.data(), runs.size());
        }
        std::uniform_int_distribution<int> x(-kSprite / 2, kWidth - kSprite / 2), y(-kSprite / 2, kHeight - kSprite / 2);
        for (int i = 0; i < kSprites; ++i)
            at.push_back(POINT{x(rng), y(rng)});
    }
    static Scene& get()
    {
        static Scene scene;
        return scene;
    }
};

template <class Draw>
void runScene(benchmark::State& state, Draw draw)
{
    Scene& s = Scene::get();
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i)
            draw(s.surface, &s.images[i % kShapes], s.at[i]);
        benchmark::DoNotOptimize(s.surface.pixels);
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
}

void BM_Rle_Blt(benchmark::State& st) { runScene(st, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.Blt(i, p); }); }
void BM_Rle_BltNoEffects(benchmark::State& st) { runScene(st, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.BltNoEffects(i, p); }); }
void BM_Rle_Blt50(benchmark::State& st) { runScene(st, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.Blt50(i, p); }); }
void BM_Rle_ShadowBlt(benchmark::State& st) { runScene(st, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.ShadowBlt(i, p); }); }
void BM_Rle_FadeBlt(benchmark::State& st) { runScene(st, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.FadeBlt(i, p, 128); }); }
void BM_Rle_BlendBlt(benchmark::State& st) { runScene(st, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.BlendBlt(i, p, 128); }); }
void BM_Rle_ColorBlt(benchmark::State& st) { runScene(st, [](BITPLANEFX& d, RLEFX* i, POINT p) { d.ColorBlt(i, p, 0xF800, 128); }); }

BENCHMARK(BM_Rle_Blt);
BENCHMARK(BM_Rle_BltNoEffects);
BENCHMARK(BM_Rle_Blt50);
BENCHMARK(BM_Rle_ShadowBlt);
BENCHMARK(BM_Rle_FadeBlt);
BENCHMARK(BM_Rle_BlendBlt);
BENCHMARK(BM_Rle_ColorBlt);

#ifdef RLE_BENCH_SDL

// The same sprites as keyed RGB565 surfaces, RLE-accelerated by SDL.
struct SdlScene {
    SDL_Surface* dst = nullptr;
    SDL_Surface* sprites[kShapes]{};

    explicit SdlScene(int alpha, bool tint)
    {
        Scene& s = Scene::get();
        dst = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 16, SDL_PIXELFORMAT_RGB565);
        for (int i = 0; i < kShapes; ++i) {
            SDL_Surface* sp = SDL_CreateRGBSurfaceWithFormat(0, kSprite, kSprite, 16, SDL_PIXELFORMAT_RGB565);
            for (int y = 0; y < kSprite; ++y) {
                auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(sp->pixels) + y * sp->pitch);
                for (int x = 0; x < kSprite; ++x)
                    row[x] = s.sprites[i].alpha[y * kSprite + x] ? s.sprites[i].colour[y * kSprite + x] : kKey;
            }
            SDL_SetColorKey(sp, SDL_TRUE, kKey);
            if (alpha < 255)
                SDL_SetSurfaceAlphaMod(sp, static_cast<Uint8>(alpha));
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
};

void runSdl(benchmark::State& state, int alpha, bool tint)
{
    Scene& s = Scene::get();
    SdlScene sdl(alpha, tint);
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i) {
            SDL_Rect r{s.at[i].x, s.at[i].y, kSprite, kSprite};
            SDL_BlitSurface(sdl.sprites[i % kShapes], nullptr, sdl.dst, &r);
        }
        benchmark::DoNotOptimize(sdl.dst->pixels);
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
}

// Plain keyed blit: the peer of Blt and BltNoEffects.
void BM_SDL2_RleKeyedBlit(benchmark::State& st) { runSdl(st, 255, false); }
// Alpha 128: SDL's half-blend special case, the peer of Blt50 and ShadowBlt.
void BM_SDL2_RleAlpha128(benchmark::State& st) { runSdl(st, 128, false); }
// Any other alpha: the peer of FadeBlt and BlendBlt.
void BM_SDL2_RleAlpha100(benchmark::State& st) { runSdl(st, 100, false); }
// Colour and alpha modulation together: the peer of ColorBlt.
void BM_SDL2_RleTintAlpha100(benchmark::State& st) { runSdl(st, 100, true); }

BENCHMARK(BM_SDL2_RleKeyedBlit);
BENCHMARK(BM_SDL2_RleAlpha128);
BENCHMARK(BM_SDL2_RleAlpha100);
BENCHMARK(BM_SDL2_RleTintAlpha100);

#endif

} // namespace
