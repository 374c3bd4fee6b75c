// The effect tables against a reference worked out per whole pixel, field by
// field, rather than per byte as the builder does.
#include <vantrel/pixelformat.h>

#include <gtest/gtest.h>

#include <random>

#include "support/formats.h"

namespace {

// The colour fields of a format, as (mask) values.
struct Fields {
    uint64_t m[3];
};

// Fade a value that lies wholly inside one byte position (low byte or high
// byte of a word): each field is scaled where it stands and whatever falls
// below the field's lowest bit is dropped.
uint64_t referenceFade(uint64_t value, const Fields& f, uint64_t k)
{
    uint64_t sum = 0;
    for (uint64_t mask : f.m) {
        const uint64_t part = value & mask;
        const uint64_t scaled = (part * k) / 255;
        sum += scaled & mask;
    }
    return sum;
}

class EffectTables : public testing::TestWithParam<DisplayFormat> {};

} // namespace

TEST_P(EffectTables, EveryEntryMatchesTheReference)
{
    const DisplayFormat& d = GetParam();
    VTLPixelFormat f{};
    ASSERT_TRUE(VTLBuildEffectTables(d.bits, d.red, d.green, d.blue, &f));
    EXPECT_EQ(f.formatCode, d.expectedCode);
    EXPECT_EQ(f.bitsPerPixel, d.bits);
    EXPECT_EQ(f.bytesPerPixel, d.bits / 8);

    for (unsigned k = 0; k < 256; ++k)
        for (unsigned c = 0; c < 256; ++c)
            ASSERT_EQ(Scale8[k][c], c * k / 255) << "Scale8 k=" << k << " c=" << c;

    if (d.bits == 8) {
        EXPECT_EQ(f.redMask, 0xE0u);
        EXPECT_EQ(f.greenMask, 0x1Cu);
        EXPECT_EQ(f.blueMask, 0x03u);
        const Fields fields{{0xE0, 0x1C, 0x03}};
        for (unsigned k = 0; k < 256; ++k)
            for (unsigned c = 0; c < 256; ++c) {
                ASSERT_EQ(Fade8[k][c], referenceFade(c, fields, k)) << "k=" << k << " c=" << c;
                ASSERT_EQ(Fade8Rev[k][c], referenceFade(c, fields, 255 - k)) << "k=" << k << " c=" << c;
            }
        EXPECT_EQ(HalfMask, 0x6D6D6D6Du);
    } else if (d.bits == 16) {
        const Fields fields{{d.red, d.green, d.blue}};
        // A whole pixel faded through the two tables: each field is the sum
        // of its low-byte part and its high-byte part, each faded alone.
        for (unsigned k = 0; k < 256; ++k)
            for (unsigned p = 0; p < 65536; p += (k % 17 == 0 ? 1 : 97)) {
                const uint64_t lo = p & 0xFF, hi = p & 0xFF00;
                const uint64_t expected = referenceFade(lo, fields, k) + referenceFade(hi, fields, k);
                ASSERT_EQ(unsigned(FadeLo[k][p & 0xFF] + FadeHi[k][p >> 8]) & 0xFFFF, expected)
                    << "k=" << k << " p=" << p;
                const uint64_t rev = referenceFade(lo, fields, 255 - k) + referenceFade(hi, fields, 255 - k);
                ASSERT_EQ(unsigned(FadeLoRev[k][p & 0xFF] + FadeHiRev[k][p >> 8]) & 0xFFFF, rev)
                    << "k=" << k << " p=" << p;
            }
        // No field may overflow: the fade of white at full level is white.
        const unsigned white = d.red | d.green | d.blue;
        EXPECT_EQ(FadeLo[255][white & 0xFF] + FadeHi[255][white >> 8], white);
        EXPECT_EQ(FadeLo[0][white & 0xFF] + FadeHi[0][white >> 8], 0);
    } else {
        for (unsigned k = 0; k < 256; ++k)
            for (unsigned c = 0; c < 256; ++c) {
                ASSERT_EQ(Fade8[k][c], c * k / 255);
                ASSERT_EQ(Fade8Rev[k][c], c * (255 - k) / 255);
                ASSERT_EQ(Scale8Rev[k][c], c * (255 - k) / 255);
            }
    }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, EffectTables, testing::ValuesIn(kDisplayFormats), formatName);

TEST(EffectTablesKnownValues, EightBit)
{
    ASSERT_TRUE(VTLBuildEffectTables(8, 0, 0, 0, nullptr));
    for (unsigned c = 0; c < 256; ++c) {
        EXPECT_EQ(Fade8[255][c], c);
        EXPECT_EQ(Fade8[0][c], 0);
    }
    EXPECT_EQ(Fade8[128][0x1C], 0x0C) << "green 7 scaled to 14 in place, then masked";
    EXPECT_EQ(Scale8[255][200], 200);
    EXPECT_EQ(Scale8[128][255], 128);
    EXPECT_EQ(Scale8[1][254], 0);
}

TEST(EffectTablesKnownValues, SixteenBitHalfMasks)
{
    ASSERT_TRUE(VTLBuildEffectTables(16, 0x7C00, 0x3E0, 0x1F, nullptr));
    EXPECT_EQ(HalfMask, 0x3DEF3DEFu);
    ASSERT_TRUE(VTLBuildEffectTables(16, 0xF800, 0x7E0, 0x1F, nullptr));
    EXPECT_EQ(HalfMask, 0x7BEF7BEFu);
    EXPECT_EQ(FadeLo[255][0xFF] + FadeHi[255][0xFF], 0xFFFF);
}

TEST(EffectTablesKnownValues, UnsupportedFormatsAreRefusedAndLeaveTablesAlone)
{
    ASSERT_TRUE(VTLBuildEffectTables(16, 0xF800, 0x7E0, 0x1F, nullptr));
    const unsigned short before = FadeHi[100][0xAB];
    const DWORD half = HalfMask;
    VTLPixelFormat f{};
    f.formatCode = 77;
    EXPECT_FALSE(VTLBuildEffectTables(16, 0xF00, 0x0F0, 0x00F, &f)) << "4-4-4 green mask";
    EXPECT_FALSE(VTLBuildEffectTables(15, 0x7C00, 0x3E0, 0x1F, &f));
    EXPECT_FALSE(VTLBuildEffectTables(4, 0, 0, 0, &f));
    EXPECT_EQ(f.formatCode, 77) << "a refused format writes nothing";
    EXPECT_EQ(FadeHi[100][0xAB], before);
    EXPECT_EQ(HalfMask, half);
}

TEST(HalfMask, AveragesFieldByFieldWithoutCarries)
{
    std::mt19937 rng(7);
    for (const DisplayFormat& d : kDisplayFormats) {
        if (d.bits != 16 && d.bits != 8)
            continue;
        VTLPixelFormat f{};
        ASSERT_TRUE(VTLBuildEffectTables(d.bits, d.red, d.green, d.blue, &f));
        const DWORD masks[3] = {f.redMask, f.greenMask, f.blueMask};
        const DWORD pixelMask = d.bits == 16 ? 0xFFFF : 0xFF;
        for (int i = 0; i < 20000; ++i) {
            const DWORD a = rng() & pixelMask, b = rng() & pixelMask;
            // Two pixels packed in one word (the 8-bit mask covers four).
            const DWORD wa = a | a << 16 | (d.bits == 8 ? a << 8 | a << 24 : 0);
            const DWORD wb = b | b << 16 | (d.bits == 8 ? b << 8 | b << 24 : 0);
            const DWORD word = ((wa >> 1) & HalfMask) + ((wb >> 1) & HalfMask);
            DWORD expected = 0;
            for (DWORD m : masks) {
                const unsigned shift = __builtin_ctz(m);
                expected += ((((a & m) >> shift) >> 1) + (((b & m) >> shift) >> 1)) << shift;
            }
            ASSERT_EQ(word & pixelMask, expected) << d.name << " a=" << a << " b=" << b;
            ASSERT_EQ((word >> 16) & pixelMask, expected) << d.name << " (upper half)";
        }
    }
}

TEST(Palette332, StepsAndKnownEntries)
{
    PALETTEENTRY p[256];
    VTLPalette332(p);
    EXPECT_EQ(p[0xFF].peRed, 255);
    EXPECT_EQ(p[0xFF].peGreen, 255);
    EXPECT_EQ(p[0xFF].peBlue, 255);
    EXPECT_EQ(p[0x92].peRed, 145);
    EXPECT_EQ(p[0x92].peGreen, 145);
    EXPECT_EQ(p[0x92].peBlue, 170);
    const int steps[8] = {0, 36, 72, 109, 145, 182, 218, 255};
    for (unsigned c = 0; c < 256; ++c) {
        EXPECT_EQ(p[c].peRed, steps[c >> 5]);
        EXPECT_EQ(p[c].peGreen, steps[(c >> 2) & 7]);
        EXPECT_EQ(p[c].peBlue, (c & 3) * 85);
        EXPECT_EQ(p[c].peFlags, 0);
    }
}
