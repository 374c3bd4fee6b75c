#include <vantrel/animation.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/rlefx.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {
// A 1x1 image of one opaque 16-bit pixel.
struct Dot {
    explicit Dot(uint16_t pixel)
    {
        image.bitsPerPixel = 16;
        image.bytesPerPixel = 2;
        EXPECT_TRUE(image.create(1, 1, 6));
        const unsigned char runs[] = {1, 0, static_cast<unsigned char>(pixel), static_cast<unsigned char>(pixel >> 8), 0, 0};
        std::memcpy(image.runs, runs, sizeof runs);
    }
    ~Dot() { image.release(); }
    RLEFX image{};
};

struct Surface16 {
    Surface16(int w, int h)
    {
        s.bitsPerPixel = 16;
        s.bytesPerPixel = 2;
        EXPECT_TRUE(s.create(w, h, false));
    }
    ~Surface16() { s.release(); }
    uint16_t at(int x, int y) const
    {
        uint16_t v;
        std::memcpy(&v, s.pixels + y * s.pitch + x * 2, 2);
        return v;
    }
    // Every non-zero pixel, as (x, y, value).
    std::vector<std::vector<int>> lit() const
    {
        std::vector<std::vector<int>> out;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                if (at(x, y))
                    out.push_back({x, y, at(x, y)});
        return out;
    }
    BITPLANEFX s{};
};
} // namespace

TEST(SpriteDraw, HotSpotAndOriginPlaceTheFrame)
{
    Dot dot(0x1234);
    ANIMATIONFX set{};
    ASSERT_TRUE(set.create(2));
    ASSERT_TRUE(set.blt(&dot.image, 0, 0, 0, 0));
    ASSERT_TRUE(set.blt(&dot.image, 1, 0, 8, 16));
    Surface16 target(40, 40);

    Sprite s{};
    s.bind(&set);
    ASSERT_TRUE(s.setAction(1, 0));
    s.setX(120, false);
    s.setY(80, false);
    EXPECT_TRUE(s.draw(&target.s, 100, 50));
    EXPECT_EQ(target.lit(), (std::vector<std::vector<int>>{{12, 14, 0x1234}}));

    // Mode 1 draws nothing; a sprite wholly off the surface neither.
    s.blitMode.mode = 1;
    s.setX(1, true);
    EXPECT_TRUE(s.draw(&target.s, 100, 50));
    s.blitMode.mode = BLITMODE_NORMAL;
    s.setX(-500, false);
    EXPECT_TRUE(s.draw(&target.s, 0, 0));
    EXPECT_EQ(target.lit().size(), 1u);

    // A frame index outside the table or a free slot is skipped.
    s.setX(5, false);
    s.frame = 7;
    EXPECT_TRUE(s.draw(&target.s, 0, 0));
    set.frames[1].image = nullptr;
    s.frame = 1;
    EXPECT_TRUE(s.draw(&target.s, 0, 0));
    EXPECT_EQ(target.lit().size(), 1u);
    set.release();
}

TEST(TileDraw, OnlyTheFirst25FramesAreDrawn)
{
    std::vector<Dot> dots;
    dots.reserve(27);
    ANIMATIONFX set{};
    ASSERT_TRUE(set.create(27));
    for (unsigned i = 0; i < 27; ++i) {
        dots.emplace_back(static_cast<uint16_t>(0x100 + i));
        ASSERT_TRUE(set.blt(&dots.back().image, 0, 0, 50, 50)); // the offset is not used
    }
    Surface16 target(8, 8);
    Tile tile{};
    EXPECT_TRUE(tile.draw(&target.s, POINT{1, 1})); // unbound
    tile.bind(&set);
    tile.setBitmap(24);
    EXPECT_TRUE(tile.draw(&target.s, POINT{3, 2}));
    EXPECT_EQ(target.lit(), (std::vector<std::vector<int>>{{3, 2, 0x100 + 24}}));
    for (unsigned short frame : {25, 26, 30}) {
        tile.setBitmap(frame);
        EXPECT_TRUE(tile.draw(&target.s, POINT{4, 4}));
        EXPECT_EQ(tile.getBitmap(), frame);
    }
    EXPECT_EQ(target.lit().size(), 1u);
    set.release();
}
