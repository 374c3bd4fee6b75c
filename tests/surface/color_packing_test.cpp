#include <vantrel/pixelformat.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include "support/formats.h"

namespace {
class ColorPacking : public testing::TestWithParam<DisplayFormat> {};

// Low bits each channel loses in a format.
struct Loss {
    unsigned r, g, b;
};

Loss lossOf(const DisplayFormat& d)
{
    if (d.bits == 8)
        return {5, 5, 6};
    if (d.bits == 16)
        return {3, (d.green == 0x7E0) ? 2u : 3u, 3};
    return {0, 0, 0};
}
} // namespace

TEST_P(ColorPacking, RoundTripKeepsTheTopBitsOfEachChannel)
{
    const DisplayFormat& d = GetParam();
    VTLPixelFormat f{};
    ASSERT_TRUE(VTLBuildEffectTables(d.bits, d.red, d.green, d.blue, &f));
    const Loss loss = lossOf(d);
    for (unsigned r = 0; r < 256; r += 5)
        for (unsigned g = 0; g < 256; g += 3)
            for (unsigned b = 0; b < 256; b += 7) {
                const unsigned long p = VTLPackColor(f.bitsPerPixel, f.formatCode, r, g, b);
                if (d.bits < 32) {
                    ASSERT_LT(p, 1ul << d.bits);
                }
                // The packed value lands in the display's own masks.
                if (d.bits >= 16) {
                    ASSERT_EQ(p & ~(unsigned long)(f.redMask | f.greenMask | f.blueMask), 0u);
                }
                unsigned char R = 1, G = 1, B = 1;
                ASSERT_TRUE(VTLUnpackColor(f.bitsPerPixel, f.formatCode, p, &R, &G, &B));
                ASSERT_EQ(R, r >> loss.r << loss.r);
                ASSERT_EQ(G, g >> loss.g << loss.g);
                ASSERT_EQ(B, b >> loss.b << loss.b);
            }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, ColorPacking, testing::ValuesIn(kDisplayFormats), formatName);

TEST(ColorPackingKnownValues, HandleUsesItsDisplayFormat)
{
    VTLHND h; // constructed handle: no display
    h.bitsPerPixel = 16;
    h.formatCode = PF_RGB565;
    EXPECT_EQ(h.packColor(255, 255, 255), 0xFFFFu);
    EXPECT_EQ(h.packColor(8, 4, 8), 0x0821u);
    h.formatCode = PF_RGB555 | PF_BGR;
    EXPECT_EQ(h.packColor(255, 0, 0), 0x001Fu);
    h.bitsPerPixel = 8;
    h.formatCode = PF_PAL8;
    EXPECT_EQ(h.packColor(0xFF, 0x1F, 0xC0), 0xE3u);

    unsigned char r = 9, g = 9, b = 9;
    h.bitsPerPixel = 16;
    h.formatCode = 9; // not a 16-bit code
    EXPECT_EQ(h.packColor(1, 2, 3), 0u);
    h.unpackColor(0x1234, &r, &g, &b);
    EXPECT_EQ(r, 9);
    EXPECT_EQ(g, 9);
    EXPECT_EQ(b, 9);
    h.bitsPerPixel = 24;
    h.formatCode = PF_RGB32; // a 32-bit code on a 24-bit depth
    EXPECT_EQ(h.packColor(1, 2, 3), 0u);
}
