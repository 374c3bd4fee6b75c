// RLEFX::loadData: conversion into every pixel size, the buffer size rule,
// row ends, and files that break the rules.
#include <gtest/gtest.h>

#include "rle/rle_file_builder.h"
#include "rle/rle_reference.h"
#include "support/formats.h"
#include "support/message_capture.h"

using namespace rletest;

namespace {

class RleDecoder : public testing::TestWithParam<DisplayFormat> {
protected:
    void SetUp() override
    {
        const DisplayFormat& d = GetParam();
        ASSERT_TRUE(VTLBuildEffectTables(d.bits, d.red, d.green, d.blue, &format));
        image.bitsPerPixel = format.bitsPerPixel;
        image.bytesPerPixel = format.bytesPerPixel;
        image.format = format.formatCode;
        B = format.bytesPerPixel;
    }
    void TearDown() override { image.release(); }

    // The display-format bytes of an opaque pixel and of a level pixel.
    std::vector<uint8_t> opaque(Rgb c) const
    {
        std::vector<uint8_t> out(B);
        if (B <= 2)
            putPx(out.data(), B, static_cast<uint32_t>(VTLPackColor(format.bitsPerPixel, format.formatCode, c.r, c.g, c.b)));
        else
            out = {c.b, c.g, c.r};
        if (B == 4)
            out.push_back(0);
        return out;
    }
    std::vector<uint8_t> level(uint8_t a, Rgb c) const
    {
        std::vector<uint8_t> out{a};
        std::vector<uint8_t> p(B);
        if (B <= 2) {
            const uint32_t packed = static_cast<uint32_t>(VTLPackColor(format.bitsPerPixel, format.formatCode, c.r, c.g, c.b));
            putPx(p.data(), B, B == 1 ? Fade8[a][packed] : FadeLo[a][packed & 0xFF] + FadeHi[a][packed >> 8]);
        } else {
            p = {Scale8[a][c.b], Scale8[a][c.g], Scale8[a][c.r]};
            if (B == 4)
                p.push_back(0);
        }
        out.insert(out.end(), p.begin(), p.end());
        return out;
    }

    VTLPixelFormat format{};
    RLEFX image{};
    int B = 0;
};

void append(std::vector<uint8_t>& v, const std::vector<uint8_t>& more) { v.insert(v.end(), more.begin(), more.end()); }
void appendWord(std::vector<uint8_t>& v, unsigned w) { v.insert(v.end(), {static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8)}); }

} // namespace

TEST_P(RleDecoder, ConvertsEveryRunIntoTheDisplayFormat)
{
    const Rgb red{255, 0, 0}, odd{10, 200, 37}, white{255, 255, 255}, grey{90, 90, 91};
    auto file = RleFile(6, 2)
                    .skip(1)
                    .opaque({red, odd})
                    .level({{128, white}, {255, odd}, {0, grey}})
                    .endRow()
                    .level({{200, grey}})
                    .opaque({white})
                    .endRow()
                    .build();
    ASSERT_TRUE(image.loadData(file.data(), static_cast<unsigned long>(file.size())));
    EXPECT_EQ(image.width, 6);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.kind, 0); // loadData leaves the kind alone

    std::vector<uint8_t> expect;
    appendWord(expect, 0x8001);
    appendWord(expect, 0x0002);
    append(expect, opaque(red));
    append(expect, opaque(odd));
    appendWord(expect, 0x4003);
    append(expect, level(128, white));
    append(expect, level(255, odd));
    append(expect, level(0, grey));
    appendWord(expect, 0);
    appendWord(expect, 0x4001);
    append(expect, level(200, grey));
    appendWord(expect, 0x0001);
    append(expect, opaque(white));
    appendWord(expect, 0);
    EXPECT_EQ(std::vector<uint8_t>(image.runs, image.runs + expect.size()), expect);

    // Level 255 keeps the colour whole, level 0 stores black.
    EXPECT_EQ(level(255, odd), [&] { auto v = opaque(odd); v.insert(v.begin(), 255); return v; }());
    EXPECT_EQ(level(0, grey), std::vector<uint8_t>(1 + B, 0));

    // The buffer: the file, less 3 bytes plus the pixel size per stored
    // pixel, plus 100.
    EXPECT_EQ(blockSize(image.runs), static_cast<uint32_t>((B - 3) * 7 + static_cast<int>(file.size()) + 100));
}

TEST_P(RleDecoder, CountZeroSkipAndLevelWordsEndTheRow)
{
    // Row 0 ends at a count-0 skip word, row 1 at a count-0 level word; both
    // are written as end-of-row words so the blitters stop there too.
    auto file = RleFile(4, 3).opaque({{1, 2, 3}}).word(0x8000).word(0x4000).opaque({{4, 5, 6}}).endRow().build();
    ASSERT_TRUE(image.loadData(file.data(), static_cast<unsigned long>(file.size())));
    std::vector<uint8_t> expect;
    appendWord(expect, 1);
    append(expect, opaque({1, 2, 3}));
    appendWord(expect, 0);
    appendWord(expect, 0);
    appendWord(expect, 1);
    append(expect, opaque({4, 5, 6}));
    appendWord(expect, 0);
    EXPECT_EQ(std::vector<uint8_t>(image.runs, image.runs + expect.size()), expect);
}

TEST_P(RleDecoder, BothKindBitsDecodeAsASkipRun)
{
    auto file = RleFile(5, 1).word(0xC003).opaque({{9, 9, 9}}).endRow().build();
    ASSERT_TRUE(image.loadData(file.data(), static_cast<unsigned long>(file.size())));
    EXPECT_EQ(image.runs[0] | (image.runs[1] << 8), 0x8003);
}

TEST_P(RleDecoder, RefusesRunsThatBreakTheRules)
{
    struct Bad {
        const char* what;
        std::vector<uint8_t> file;
    };
    const Rgb c{1, 2, 3};
    std::vector<Bad> bad = {
        {"past the width", RleFile(2, 1).opaque({c, c}).skip(1).endRow().build()},
        {"skip past the width", RleFile(2, 1).skip(3).endRow().build()},
        {"data cut short", [&] { auto f = RleFile(3, 1).opaque({c, c, c}).build(); f.resize(f.size() - 2); return f; }()},
        {"missing row", RleFile(3, 2).opaque({c}).endRow().build()},
        {"no end of row", RleFile(3, 1).opaque({c}).build()},
        {"header cut short", {1, 0, 1, 0, 0, 0}},
        {"pixel count beyond the file", RleFile(3, 1).opaque({c}).endRow().build(1000)},
    };
    // A pixel count that disagrees with the runs leaves a buffer too small
    // for them: understated where pixels grow (32 bits), overstated where
    // they shrink (8 and 16 bits).  24-bit runs never outgrow the file.
    if (B != 3) {
        RleFile big(4000, 1);
        for (int i = 0; i < 250; ++i)
            big.opaque({c, c, c, c, c, c, c, c, c, c, c, c, c, c, c, c});
        big.endRow();
        bad.push_back({"pixel count disagrees", big.build(B == 4 ? 0 : 4167)});
    }
    for (const Bad& b : bad) {
        MessageCapture messages;
        RLEFX img{};
        img.bitsPerPixel = image.bitsPerPixel;
        img.bytesPerPixel = image.bytesPerPixel;
        img.format = image.format;
        EXPECT_FALSE(img.loadData(const_cast<uint8_t*>(b.file.data()), static_cast<unsigned long>(b.file.size())))
            << b.what;
        EXPECT_FALSE(img) << b.what;
        EXPECT_EQ(messages.text(), "RLEFX::loadRle() - bad run data\r\n") << b.what;
    }
}

TEST_P(RleDecoder, HeightZeroLoadsAnImageWithoutRows)
{
    auto file = RleFile(7, 0).build();
    ASSERT_TRUE(image.loadData(file.data(), static_cast<unsigned long>(file.size())));
    EXPECT_TRUE(image);
    EXPECT_EQ(image.xSize(), 7);
    EXPECT_EQ(image.ySize(), 0);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, RleDecoder, testing::ValuesIn(kDisplayFormats), formatName);

TEST(RleDecoderMessages, NullDataAndCreateFailure)
{
    MessageCapture messages;
    RLEFX image{};
    image.bitsPerPixel = 16;
    image.bytesPerPixel = 2;
    EXPECT_FALSE(image.loadData(nullptr, 100));
    EXPECT_EQ(messages.text(), "RLEFX::loadRle() - No Surface\r\n");
}

TEST(RleImage, ReleaseCreateAndShallowCopy)
{
    RLEFX image{};
    EXPECT_TRUE(image.release());
    EXPECT_FALSE(image);
    ASSERT_TRUE(image.create(3, 4, 64));
    EXPECT_EQ(image.xSize(), 3);
    EXPECT_EQ(image.ySize(), 4);
    // A blank image reads as end-of-row words and draws nothing.
    Surface s(16, PF_RGB565, 8, 8);
    std::vector<uint8_t> before = s.snapshot();
    s.s.Blt(&image, POINT{1, 1});
    EXPECT_EQ(s.snapshot(), before);

    RLEFX copy{};
    copy = image;
    EXPECT_EQ(copy.runs, image.runs);
    EXPECT_EQ(copy.width, 3);
    EXPECT_TRUE(image.release());
    EXPECT_EQ(image.xSize(), 0);
    EXPECT_EQ(image.ySize(), 0);
    EXPECT_FALSE(image);
    ASSERT_TRUE(image.create(1, 1, 8));
    image.release();
}
