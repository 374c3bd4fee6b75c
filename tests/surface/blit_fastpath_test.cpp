// Every code path of the blits (plain, SSE2, SSSE3, AVX2: those this
// processor runs) against a per-pixel reference that walks the effect tables,
// on random surfaces, every level, every 8- and 16-bit format, odd widths and
// every alignment of source and destination.
#include <gtest/gtest.h>

#include <vector>

#include <vantrel/seam/code_path_testing.h>
#include "surface/blit_rows.h"
#include "surface_helpers.h"

namespace {

enum Member { TRANS, HALF, TRANS_HALF, SHADOW, FADE, FADE_TRANS, BLEND, BLEND_TRANS, ALPHA, ALPHA_SRC, COLOR,
              COLOR_TRANS, MEMBER_COUNT };
const char* const kMemberNames[] = {"TransBlt", "Blt50", "TransBlt50", "ShadowBlt", "FadeBlt", "FadeTransBlt",
                                    "BlendBlt", "BlendTransBlt", "AlphaBlt", "AlphaSrcBlt", "ColorBlendBlt",
                                    "ColorTransBlendBlt"};

bool hasLevel(Member m) { return m >= FADE && m != ALPHA && m != ALPHA_SRC; }

void call(Member m, BITPLANEFX& d, BITPLANEFX& s, tagPOINT p, tagRECT* r, unsigned char k, unsigned short c)
{
    switch (m) {
    case TRANS: d.TransBlt(&s, p, r); break;
    case HALF: d.Blt50(&s, p, r); break;
    case TRANS_HALF: d.TransBlt50(&s, p, r); break;
    case SHADOW: d.ShadowBlt(&s, p, r); break;
    case FADE: d.FadeBlt(&s, p, r, k); break;
    case FADE_TRANS: d.FadeTransBlt(&s, p, r, k); break;
    case BLEND: d.BlendBlt(&s, p, r, k); break;
    case BLEND_TRANS: d.BlendTransBlt(&s, p, r, k); break;
    case ALPHA: d.AlphaBlt(&s, p, r); break;
    case ALPHA_SRC: d.AlphaSrcBlt(&s, p, r); break;
    case COLOR: d.ColorBlendBlt(&s, p, r, k, c); break;
    case COLOR_TRANS: d.ColorTransBlendBlt(&s, p, r, k, c); break;
    default: break;
    }
}

// The formulas, one pixel at a time, straight from the tables.
uint32_t reference16(Member m, uint32_t s, uint32_t d, unsigned a, unsigned k, unsigned key, unsigned color)
{
    auto fade = [](uint32_t p, unsigned level) { return (FadeLo[level][p & 0xFF] + FadeHi[level][p >> 8]) & 0xFFFFu; };
    auto half = [](uint32_t p) { return (p >> 1) & HalfMask & 0xFFFFu; };
    const unsigned bar = k == 0 ? 255 : 256 - k;
    const bool clear = s == key;
    switch (m) {
    case TRANS: return clear ? d : s;
    case HALF: return half(s) + half(d);
    case TRANS_HALF: return clear ? d : half(s) + half(d);
    case SHADOW: return clear ? d : half(d);
    case FADE: return fade(s, k);
    case FADE_TRANS: return clear ? d : fade(s, k);
    case BLEND: return (fade(s, k) + fade(d, bar)) & 0xFFFF;
    case BLEND_TRANS: return clear ? d : (fade(s, k) + fade(d, bar)) & 0xFFFF;
    case ALPHA: return a == 0 ? d : (fade(s, a) + fade(d, 256 - a)) & 0xFFFF;
    case ALPHA_SRC: return a == 0 || clear ? d : (fade(s, a) + fade(d, 256 - a)) & 0xFFFF;
    case COLOR: return (fade(s, k) + fade(color, bar)) & 0xFFFF;
    case COLOR_TRANS: return clear ? d : (fade(s, k) + fade(color, bar)) & 0xFFFF;
    default: return d;
    }
}

uint32_t reference8(Member m, uint32_t s, uint32_t d, unsigned a, unsigned k, unsigned key, unsigned color)
{
    const uint32_t halfMask = 0x6D; // 3-3-2: the top bit of each field cleared
    auto half = [&](uint32_t p) { return (p >> 1) & halfMask; };
    const unsigned bar = k == 0 ? 255 : 256 - k;
    const bool clear = s == (key & 0xFF);
    const uint32_t c = color & 0xFF;
    switch (m) {
    case TRANS: return clear ? d : s;
    case HALF: return half(s) + half(d);
    case TRANS_HALF: return clear ? d : half(s) + half(d);
    case SHADOW: return clear ? d : half(d);
    case FADE: return Fade8[k][s];
    case FADE_TRANS: return clear ? d : Fade8[k][s];
    case BLEND: return (Fade8[k][s] + Fade8Rev[k][d]) & 0xFF;
    case BLEND_TRANS: return clear ? d : (Fade8[k][s] + Fade8Rev[k][d]) & 0xFF;
    case ALPHA: return a == 0 ? d : (Fade8[a][s] + Fade8Rev[a][d]) & 0xFF;
    case ALPHA_SRC: return a == 0 || clear ? d : (Fade8[a][s] + Fade8Rev[a][d]) & 0xFF;
    case COLOR: return (Fade8[k][s] + Fade8[bar][c]) & 0xFF;
    case COLOR_TRANS: return clear ? d : (Fade8[k][s] + Fade8Rev[k][c]) & 0xFF;
    default: return d;
    }
}

class BlitFastPaths : public ::testing::TestWithParam<DisplayFormat> {
protected:
    void TearDown() override { ::vtl::testing::codepath::reset(); }
};

// Draws `w` x 3 pixels from source column sx to destination column dx and
// compares the whole destination with the reference.
void checkOne(Member m, const VTLPixelFormat& f, Surface& src, Surface& dst, int sx, int dx, int w, unsigned k,
              unsigned short color, const char* path, std::mt19937& rng)
{
    src.randomize(rng);
    dst.randomize(rng);
    // Plenty of transparent pixels: a quarter of the source is the key.
    const uint32_t key = src.get(0, 0);
    src.colorKey = static_cast<unsigned short>(key);
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x)
            if (rng() % 4 == 0)
                src.set(x, y, key);
    // Alpha 0 and 255 often, the rest at random.
    for (int i = 0; i < src.width * src.height; ++i)
        if (rng() % 4 == 0)
            src.alpha[i] = rng() % 2 ? 0 : 255;

    std::vector<uint32_t> expected(static_cast<size_t>(dst.width) * dst.height);
    for (int y = 0; y < dst.height; ++y)
        for (int x = 0; x < dst.width; ++x) {
            uint32_t d = dst.get(x, y);
            if (x >= dx && x < dx + w && y < 3) {
                const int ix = sx + (x - dx);
                const uint32_t s = src.get(ix, y);
                const unsigned a = src.alpha[y * src.width + ix];
                d = f.bitsPerPixel == 16 ? reference16(m, s, d, a, k, src.colorKey, color)
                                         : reference8(m, s, d, a, k, src.colorKey, color);
            }
            expected[static_cast<size_t>(y) * dst.width + x] = d;
        }
    tagRECT r{sx, 0, sx + w, 3};
    call(m, dst, src, tagPOINT{dx, 0}, &r, static_cast<unsigned char>(k), color);
    for (int y = 0; y < dst.height; ++y)
        for (int x = 0; x < dst.width; ++x)
            if (dst.get(x, y) != expected[static_cast<size_t>(y) * dst.width + x]) {
                ADD_FAILURE() << kMemberNames[m] << " on the " << path << " path, level " << k << ", width " << w
                              << ", source column " << sx << ", destination column " << dx << ": pixel (" << x
                              << ", " << y << ") is 0x" << std::hex << dst.get(x, y) << ", expected 0x"
                              << expected[static_cast<size_t>(y) * dst.width + x];
                return;
            }
}

} // namespace

TEST_P(BlitFastPaths, EveryPathMatchesTheTables)
{
    const VTLPixelFormat f = useFormat(GetParam());
    std::mt19937 rng(1234);
    Surface src(f, 160, 4, true), dst(f, 160, 4);
    int paths = 0;
    for (vtl::CodePath path : vtl::kCodePaths) {
        if (!::vtl::testing::codepath::force(path))
            continue;
        ++paths;
        for (int mi = 0; mi < MEMBER_COUNT; ++mi) {
            const auto m = static_cast<Member>(mi);
            // Every level (the alpha members: random alpha, so fewer rounds),
            // each at another width and alignment.
            const unsigned rounds = hasLevel(m) ? 256 : 64;
            for (unsigned k = 0; k < rounds; ++k) {
                const int w = 1 + static_cast<int>((k * 37) % 140);
                const int sx = static_cast<int>(k % 8);
                const int dx = static_cast<int>((k / 8) % 8) + static_cast<int>(k % 3);
                const auto color = static_cast<unsigned short>(rng());
                checkOne(m, f, src, dst, sx, dx, std::min(w, 150 - dx), k, color, vtl::codePathName(path), rng);
                if (HasFailure())
                    return;
            }
            // Every width up to a few vectors, and every alignment of source
            // against destination at widths with a vector tail.
            for (int w = 1; w <= 70; ++w)
                checkOne(m, f, src, dst, w % 8, 7 - (w * 3) % 8, w, 128, 0x1234, vtl::codePathName(path), rng);
            for (int w : {33, 67})
                for (int align = 0; align < 8; ++align)
                    checkOne(m, f, src, dst, align, 7 - align, w, 254, 0x4321, vtl::codePathName(path), rng);
            if (HasFailure())
                return;
        }
    }
    EXPECT_GE(paths, 1);
}

INSTANTIATE_TEST_SUITE_P(Formats, BlitFastPaths,
                         ::testing::Values(kDisplayFormats[0], kDisplayFormats[1], kDisplayFormats[2],
                                           kDisplayFormats[3], kDisplayFormats[4]),
                         formatName);
