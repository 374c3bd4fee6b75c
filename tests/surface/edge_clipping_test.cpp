// Lookup images and quadrant blends reaching past the destination's edges:
// every pixel on the surface gets exactly what the unclipped formula gives
// it, every pixel elsewhere is left alone, on every code path this
// processor runs, for blocks across each edge and corner and wholly outside.
#include <vantrel/alphafx.h>
#include <vantrel/lutfx.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include <vantrel/seam/code_path_testing.h>
#include "surface/blit_rows.h"
#include "surface_helpers.h"

namespace {

uint32_t fade16(uint32_t p, unsigned k) { return (FadeLo[k][p & 0xFF] + FadeHi[k][p >> 8]) & 0xFFFFu; }
uint32_t complement16(uint32_t p, unsigned k) { return (FadeLoRev[k][p & 0xFF] + FadeHiRev[k][p >> 8]) & 0xFFFFu; }

// Offsets from each edge: wholly outside, one pixel in, across, flush, inside.
std::vector<int> placesAlong(int size, int extent)
{
    return {-extent - 1, -extent, -extent + 1, -extent / 2, -1, 0, 1, (size - extent) / 2, size - extent,
            size - extent + 1, size - 1, size, size + 3};
}

struct Lut : LUTFX {
    Lut() { std::memset(static_cast<LUTFX*>(this), 0, sizeof(LUTFX)); }
    ~Lut() { release(); }
};

struct Map : ALPHAFX {
    Map() { std::memset(static_cast<ALPHAFX*>(this), 0, sizeof(ALPHAFX)); }
    ~Map() { release(); }
};

class EdgeClipping : public ::testing::TestWithParam<DisplayFormat> {
protected:
    void TearDown() override { ::vtl::testing::codepath::reset(); }
};

} // namespace

TEST_P(EdgeClipping, LookupImagesDrawTheirVisiblePartExactly)
{
    const VTLPixelFormat f = useFormat(GetParam());
    if (f.bitsPerPixel != 16)
        GTEST_SKIP() << "lookup images draw on 16-bit surfaces only";
    std::mt19937 rng(77);
    // Wider than two AVX2 vectors and odd, so every path has whole vectors
    // and a tail in each clipped row.
    constexpr int kW = 37, kH = 9, kSurfaceW = 50, kSurfaceH = 20;
    Lut l;
    ASSERT_TRUE(l.create(kW, kH));
    for (int i = 0; i < kW * kH; ++i)
        l.front[i] = static_cast<uint8_t>(rng());
    for (int i = 0; i < 256; ++i) {
        const unsigned pick = rng() % 4;
        const uint32_t alpha = pick == 0 ? 0 : pick == 1 ? 255 : rng() & 0xFF;
        l.entries[i] = alpha << 24 | (rng() & 0xFFFF);
    }
    // Rows 2 to 4 wholly transparent (whole vectors of them too), with a
    // colour that must not show.
    l.entries[0] = 0x0000FFFFu;
    std::memset(l.front + 2 * kW, 0, 3 * kW);
    Surface d(f, kSurfaceW, kSurfaceH);
    std::vector<uint32_t> before(kSurfaceW * kSurfaceH), expected(before.size());
    // The whole image, and a part of it (which the clipping must offset).
    const tagRECT rects[] = {{0, 0, kW, kH}, {3, 2, 30, 8}};
    for (const tagRECT& part : rects)
        for (int x : placesAlong(kSurfaceW, part.right - part.left))
            for (int y : placesAlong(kSurfaceH, part.bottom - part.top)) {
                d.randomize(rng);
                for (int py = 0; py < kSurfaceH; ++py)
                    for (int px = 0; px < kSurfaceW; ++px) {
                        uint32_t v = d.get(px, py);
                        before[py * kSurfaceW + px] = v;
                        const int ix = part.left + px - x, iy = part.top + py - y;
                        if (ix >= part.left && ix < part.right && iy >= part.top && iy < part.bottom) {
                            const DWORD e = l.entries[l.front[iy * kW + ix]];
                            const unsigned a = e >> 24;
                            v = (fade16(e & 0xFFFF, a) + complement16(v, a)) & 0xFFFF;
                        }
                        expected[py * kSurfaceW + px] = v;
                    }
                for (vtl::CodePath path : vtl::kCodePaths) {
                    if (!::vtl::testing::codepath::force(path))
                        continue;
                    for (int py = 0; py < kSurfaceH; ++py)
                        for (int px = 0; px < kSurfaceW; ++px)
                            d.set(px, py, before[py * kSurfaceW + px]);
                    tagRECT r = part;
                    d.Blt(&l, tagPOINT{x, y}, &r);
                    EXPECT_TRUE(sameRect(r, part)) << "the rectangle only clamps: " << r;
                    for (int py = 0; py < kSurfaceH; ++py)
                        for (int px = 0; px < kSurfaceW; ++px)
                            ASSERT_EQ(d.get(px, py), expected[py * kSurfaceW + px])
                                << vtl::codePathName(path) << " path, area " << part << " at (" << x << ", " << y
                                << "), pixel (" << px << ", " << py << ")";
                }
            }
}

TEST_P(EdgeClipping, QuadrantBlendsDrawTheirVisiblePartExactly)
{
    const VTLPixelFormat f = useFormat(GetParam());
    if (f.bitsPerPixel == 32)
        GTEST_SKIP() << "32-bit surfaces are left as they are";
    std::mt19937 rng(31);
    // A destination smaller than the 68 x 34 block in both directions, so a
    // block can cross two opposite edges at once.
    constexpr int kSurfaceW = 60, kSurfaceH = 30;
    Surface a(f, 68, 34), b(f, 68, 34), d(f, kSurfaceW, kSurfaceH);
    a.randomize(rng);
    b.randomize(rng);
    Map m;
    ASSERT_TRUE(m.create(34, 17));
    for (int i = 0; i < 34 * 17; ++i) {
        const unsigned pick = rng() % 4;
        m.map[i] = static_cast<uint8_t>(pick == 0 ? 0 : pick == 1 ? 255 : rng());
    }
    const unsigned B = f.bytesPerPixel;
    auto pixelOf = [&](const Surface& s, int x, int y, unsigned c) { return s.at(x, y)[c]; };
    std::vector<uint8_t> before(static_cast<size_t>(d.pitch) * kSurfaceH), expected(before.size());
    for (int quarter = 0; quarter < 4; ++quarter) {
        const int qx = 34 * (quarter & 1), qy = 17 * (quarter >> 1);
        // Quarter q is drawn at (x + qx, y + qy); its sources and map corner.
        const int ax = qx, ay = qy, bx = 34 - qx, by = 17 - qy;
        const int mapX = quarter & 1 ? 33 : 0, mapY = quarter >> 1 ? 16 : 0;
        const int stepX = quarter & 1 ? -1 : 1, stepY = quarter >> 1 ? -1 : 1;
        for (int bxPos : placesAlong(kSurfaceW, 34))
            for (int byPos : placesAlong(kSurfaceH, 17)) {
                const int x = bxPos - qx, y = byPos - qy;
                d.randomize(rng);
                std::memcpy(before.data(), d.pixels, before.size());
                expected = before;
                for (int r = 0; r < 17; ++r)
                    for (int i = 0; i < 34; ++i) {
                        const int px = bxPos + i, py = byPos + r;
                        if (px < 0 || py < 0 || px >= kSurfaceW || py >= kSurfaceH)
                            continue;
                        const unsigned k = m.map[(mapY + r * stepY) * 34 + mapX + i * stepX];
                        uint8_t* out = &expected[static_cast<size_t>(py) * d.pitch + px * B];
                        if (B == 2) {
                            const uint32_t a0 = a.get(ax + i, ay + r), b0 = b.get(bx + i, by + r);
                            const uint32_t v = (fade16(b0, k) + complement16(a0, k)) & 0xFFFF;
                            std::memcpy(out, &v, 2);
                        } else {
                            for (unsigned c = 0; c < B; ++c)
                                out[c] = static_cast<uint8_t>(Fade8[k][pixelOf(b, bx + i, by + r, c)] +
                                                              Fade8Rev[k][pixelOf(a, ax + i, ay + r, c)]);
                        }
                    }
                for (vtl::CodePath path : vtl::kCodePaths) {
                    if (!::vtl::testing::codepath::force(path))
                        continue;
                    std::memcpy(d.pixels, before.data(), before.size());
                    BlendPosNeg(x, y, &d, &a, &b, &m, quarter);
                    for (int py = 0; py < kSurfaceH; ++py)
                        for (int px = 0; px < kSurfaceW; ++px)
                            ASSERT_EQ(0, std::memcmp(d.at(px, py), &expected[static_cast<size_t>(py) * d.pitch + px * B], B))
                                << vtl::codePathName(path) << " path, quarter " << quarter << " at (" << x << ", " << y
                                << "), pixel (" << px << ", " << py << ") is 0x" << std::hex << d.get(px, py);
                }
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, EdgeClipping, ::testing::ValuesIn(kDisplayFormats), formatName);
