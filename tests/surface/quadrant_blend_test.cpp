// BlendPosNeg: one quarter of a 68 x 34 block mixed from two images under a
// mirrored alpha map.
#include <vantrel/alphafx.h>

#include <gtest/gtest.h>

#include "surface_helpers.h"

namespace {

struct Map : ALPHAFX {
    explicit Map(unsigned char value)
    {
        std::memset(static_cast<ALPHAFX*>(this), 0, sizeof(ALPHAFX));
        EXPECT_TRUE(create(34, 17));
        std::memset(map, value, 34 * 17);
    }
    ~Map() { release(); }
};

// Source a holds 0x0100 + its pixel's quarter number, b 0x0200 + it.
void fillQuarters(Surface& s, uint32_t base)
{
    for (int y = 0; y < 34; ++y)
        for (int x = 0; x < 68; ++x)
            s.set(x, y, base + (x >= 34) + 2 * (y >= 17));
}

} // namespace

TEST(QuadrantBlend, MapOfZeroTakesAAndMapOfFullTakesTheOppositeQuarterOfB)
{
    for (const char* name : {"rgb565", "pal8"}) {
        const VTLPixelFormat f = useFormat(name);
        const uint32_t baseA = f.bitsPerPixel == 8 ? 0x10 : 0x0100, baseB = f.bitsPerPixel == 8 ? 0x20 : 0x0200;
        Surface a(f, 68, 34), b(f, 68, 34), d(f, 100, 50);
        fillQuarters(a, baseA);
        fillQuarters(b, baseB);
        Map none(0), full(255);
        for (int q = 0; q < 4; ++q) {
            const int qx = 5 + 34 * (q & 1), qy = 3 + 17 * (q >> 1);
            BlendPosNeg(5, 3, &d, &a, &b, &none, q);
            EXPECT_EQ(d.get(qx, qy), baseA + q) << name << " quarter " << q;
            EXPECT_EQ(d.get(qx + 33, qy + 16), baseA + q) << name << " quarter " << q;
            BlendPosNeg(5, 3, &d, &a, &b, &full, q);
            EXPECT_EQ(d.get(qx, qy), baseB + (3 - q)) << name << " quarter " << q;
        }
        EXPECT_EQ(d.get(4, 3), 0u) << "nothing outside the block";
    }
}

TEST(QuadrantBlend, TheMapIsMirroredToSuitTheQuarter)
{
    const VTLPixelFormat f = useFormat("rgb565");
    Surface a(f, 68, 34), b(f, 68, 34), d(f, 68, 34);
    a.fill(0x0000);
    b.fill(0xFFFF);
    Map m(0);
    m.map[33] = 255;            // row 0, column 33
    m.map[16 * 34 + 0] = 255;   // row 16, column 0
    BlendPosNeg(0, 0, &d, &a, &b, &m, 1);
    EXPECT_EQ(d.get(34, 0), 0xFFFFu) << "quarter 1 reads the map right to left";
    EXPECT_EQ(d.get(67, 0), 0u);
    BlendPosNeg(0, 0, &d, &a, &b, &m, 2);
    EXPECT_EQ(d.get(0, 17), 0xFFFFu) << "quarter 2 reads the map bottom to top";
    BlendPosNeg(0, 0, &d, &a, &b, &m, 0);
    EXPECT_EQ(d.get(33, 0), 0xFFFFu);
    EXPECT_EQ(d.get(0, 16), 0xFFFFu);
    EXPECT_EQ(d.get(1, 16), 0u);
}

TEST(QuadrantBlend, RefusesWhatItCannotDraw)
{
    const VTLPixelFormat f = useFormat("rgb565");
    Surface a(f, 68, 34), b(f, 68, 34), d(f, 68, 34), small(f, 40, 20);
    a.fill(0x1234);
    Map m(0);
    for (int q : {4, -1})
        BlendPosNeg(0, 0, &d, &a, &b, &m, q);
    BlendPosNeg(0, 0, &d, &small, &b, &m, 3); // source too small for its quarter
    BlendPosNeg(0, 0, &d, &a, &b, nullptr, 0);
    EXPECT_EQ(d.get(0, 0), 0u);
    EXPECT_EQ(d.get(67, 33), 0u);

    const VTLPixelFormat f32 = useFormat("rgb32");
    Surface a32(f32, 68, 34), b32(f32, 68, 34), d32(f32, 68, 34);
    a32.fill(0x00FFFFFF);
    BlendPosNeg(0, 0, &d32, &a32, &b32, &m, 0);
    EXPECT_EQ(d32.get(0, 0), 0u) << "32-bit destinations are left unchanged";

    const VTLPixelFormat f24 = useFormat("rgb24");
    Surface a24(f24, 68, 34), b24(f24, 68, 34), d24(f24, 68, 34);
    a24.fill(0x00FF8040);
    BlendPosNeg(0, 0, &d24, &a24, &b24, &m, 0);
    EXPECT_EQ(d24.get(0, 0), 0xFF8040u) << "24-bit: byte by byte";
}
