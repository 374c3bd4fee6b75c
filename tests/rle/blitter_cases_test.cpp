// Worked examples of the run layout and the blitters, where the expected
// pixels are known by hand rather than by the reference walker.
#include <gtest/gtest.h>

#include "rle/rle_reference.h"

using namespace rletest;

namespace {

class Rgb565 : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(VTLBuildEffectTables(16, 0xF800, 0x07E0, 0x001F, &format)); }
    VTLPixelFormat format{};
};

// A w x h image whose every row is one opaque run of the given pixel.
std::vector<uint8_t> solid16(int w, int h, unsigned pixel)
{
    std::vector<uint8_t> v;
    for (int r = 0; r < h; ++r) {
        putWord(v, static_cast<unsigned>(w));
        for (int c = 0; c < w; ++c)
            putWord(v, pixel);
        putWord(v, 0);
    }
    return v;
}

void fill16(Surface& s, unsigned pixel)
{
    for (int y = 0; y < s.s.height; ++y)
        for (int x = 0; x < s.s.width; ++x)
            putPx(s.s.pixels + y * s.s.pitch + x * 2, 2, pixel);
}

// Which columns of row y differ from `background`.
std::string columns(const Surface& s, int y, unsigned background)
{
    std::string out;
    for (int x = 0; x < s.s.width; ++x)
        out += s.at(x, y) == background ? '.' : '#';
    return out;
}

} // namespace

TEST_F(Rgb565, TheRunLayoutExampleDraws)
{
    // Two transparent pixels, 0x1234, 0xABCD, one transparent pixel.
    Image row({0x02, 0x80, 0x02, 0x00, 0x34, 0x12, 0xCD, 0xAB, 0x01, 0x80, 0x00, 0x00}, 5, 1);
    Surface s(16, format.formatCode, 6, 1);
    fill16(s, 0x5555);
    s.s.BltNoEffects(&row.img, POINT{0, 0});
    EXPECT_EQ(s.at(0, 0), 0x5555u);
    EXPECT_EQ(s.at(1, 0), 0x5555u);
    EXPECT_EQ(s.at(2, 0), 0x1234u);
    EXPECT_EQ(s.at(3, 0), 0xABCDu);
    EXPECT_EQ(s.at(4, 0), 0x5555u);

    // A level pixel of level 0x80 with stored pixel 0x0842 over white: the
    // stored pixel plus white at the complement of 0x80.
    Image level({0x01, 0x40, 0x80, 0x42, 0x08, 0x00, 0x00}, 1, 1);
    fill16(s, 0xFFFF);
    s.s.Blt(&level.img, POINT{0, 0});
    EXPECT_EQ(s.at(0, 0), 0x0842u + FadeLoRev[0x80][0xFF] + FadeHiRev[0x80][0xFF]);
    // Green is faded in its two byte parts: 7 -> 3 and 56 -> 27, so 30.
    EXPECT_EQ(s.at(0, 0), 0x0842u + 0x7BCFu);
}

TEST_F(Rgb565, ShadowHalvesWhiteAndBothKindBitsMakeALevelRun)
{
    Image image(solid16(2, 1, 0x1234), 2, 1);
    Surface s(16, format.formatCode, 4, 1);
    fill16(s, 0xFFFF);
    s.s.ShadowBlt(&image.img, POINT{1, 0});
    EXPECT_EQ(s.at(0, 0), 0xFFFFu);
    EXPECT_EQ(s.at(1, 0), 0x7BEFu);
    EXPECT_EQ(s.at(2, 0), 0x7BEFu);

    // 0xC003: three (level, pixel) pairs, not a skip.
    std::vector<uint8_t> runs;
    putWord(runs, 0xC003);
    for (int i = 0; i < 3; ++i)
        runs.insert(runs.end(), {255, 0x21, 0x08});
    putWord(runs, 0);
    Image both(runs, 3, 1);
    fill16(s, 0);
    s.s.Blt(&both.img, POINT{0, 0});
    EXPECT_EQ(columns(s, 0, 0), "###.");
    EXPECT_EQ(s.at(2, 0), 0x0821u);
}

TEST_F(Rgb565, ClippingAtEveryEdgeOfTheClipRectangle)
{
    Surface s(16, format.formatCode, 20, 12);
    s.s.SetClipper(4, 3, 13, 8); // x 4..13, y 3..8
    Image image(solid16(5, 3, 0x1111), 5, 3);

    auto draw = [&](int x, int y) {
        fill16(s, 0);
        s.s.Blt(&image.img, POINT{x, y});
    };
    draw(4 - 5, 3); // left edge at clipX - width: nothing
    EXPECT_EQ(columns(s, 3, 0), "....................");
    draw(4 - 5 + 1, 3); // only the last column, at clipX
    EXPECT_EQ(columns(s, 3, 0), "....#...............");
    draw(13, 3); // only the first column, at the last clip column
    EXPECT_EQ(columns(s, 3, 0), ".............#......");
    draw(14, 3);
    EXPECT_EQ(columns(s, 3, 0), "....................");
    draw(6, 3 - 3); // above: nothing
    EXPECT_EQ(columns(s, 3, 0) + columns(s, 2, 0), std::string(40, '.'));
    draw(6, 3 - 2); // only the bottom row, on the top clip row
    EXPECT_EQ(columns(s, 2, 0) + columns(s, 3, 0) + columns(s, 4, 0),
              "...................." "......#####........." "....................");
    draw(6, 8); // only the top row, on the bottom clip row
    EXPECT_EQ(columns(s, 8, 0) + columns(s, 9, 0), "......#####........." "....................");

    // Larger than the clip rectangle and starting above and left of it:
    // every clip pixel is covered, nothing outside it.
    Image big(solid16(30, 20, 0x2222), 30, 20);
    fill16(s, 0);
    s.s.Blt(&big.img, POINT{-3, -2});
    for (int y = 0; y < 12; ++y)
        EXPECT_EQ(columns(s, y, 0), y >= 3 && y <= 8 ? "....##########......" : "....................") << y;

    // Width or height 0 draws nothing anywhere.
    Image empty(solid16(0, 3, 0), 0, 3);
    fill16(s, 0);
    s.s.Blt(&empty.img, POINT{5, 4});
    s.s.BltNoEffects(&empty.img, POINT{-5, -4});
    for (int y = 0; y < 12; ++y)
        EXPECT_EQ(columns(s, y, 0), "....................");
}

TEST_F(Rgb565, LevelsAtTheEndsOfTheirRange)
{
    std::vector<uint8_t> runs;
    putWord(runs, 1);
    putWord(runs, 0xF81F);
    putWord(runs, 0x4001);
    runs.insert(runs.end(), {128, 0x0F, 0x70});
    putWord(runs, 0);
    Image image(runs, 2, 1);
    Surface s(16, format.formatCode, 2, 1);

    fill16(s, 0x4208);
    s.s.FadeBlt(&image.img, POINT{0, 0}, 0); // opaque black, level pixel leaves the destination
    EXPECT_EQ(s.at(0, 0), 0u);
    EXPECT_EQ(s.at(1, 0), 0x4208u);
    fill16(s, 0x4208);
    s.s.FadeBlt(&image.img, POINT{0, 0}, 255); // as stored, no blending
    EXPECT_EQ(s.at(0, 0), 0xF81Fu);
    EXPECT_EQ(s.at(1, 0), 0x700Fu);

    fill16(s, 0x4208);
    s.s.BlendBlt(&image.img, POINT{0, 0}, 0);
    s.s.ColorBlt(&image.img, POINT{0, 0}, 0x07E0, 0);
    EXPECT_EQ(s.at(0, 0), 0x4208u);
    EXPECT_EQ(s.at(1, 0), 0x4208u);
    s.s.ColorBlt(&image.img, POINT{0, 0}, 0x07E0, 255); // the exact colour on opaque pixels
    EXPECT_EQ(s.at(0, 0), 0x07E0u);
}

TEST(RleHalving, EightBitHalvesEach332FieldWhateverTheLastDisplay)
{
    VTLPixelFormat f{};
    ASSERT_TRUE(VTLBuildEffectTables(16, 0xF800, 0x07E0, 0x001F, &f)); // HalfMask now 5-6-5
    std::vector<uint8_t> runs;
    putWord(runs, 2);
    runs.insert(runs.end(), {0xFF, 0x92});
    putWord(runs, 0);
    Image image(runs, 2, 1);
    Surface s(8, PF_PAL8, 2, 1);
    s.s.pixels[0] = 0xFF;
    s.s.pixels[1] = 0x00;
    s.s.Blt50(&image.img, POINT{0, 0});
    EXPECT_EQ(s.s.pixels[0], 0xDA); // (0x7F & 0x6D) twice: every field 7 -> 6
    EXPECT_EQ(s.s.pixels[1], 0x49 & 0x6D);
    s.s.ShadowBlt(&image.img, POINT{0, 0});
    EXPECT_EQ(s.s.pixels[0], 0x6D & (0xDA >> 1));
}
