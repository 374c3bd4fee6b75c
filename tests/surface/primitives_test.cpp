// Pixel and shape primitives: the whole clip rectangle, per-depth stores,
// blending, and the exact points of lines and ellipses.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "surface/effects_switch.h"
#include "surface_helpers.h"

namespace {

using Points = std::set<std::pair<int, int>>;

// The points set to `color` on a surface that starts at 0.
Points drawn(const Surface& s, uint32_t color)
{
    Points p;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            if (s.get(x, y) == color)
                p.insert({x, y});
    return p;
}

} // namespace

TEST(Primitives, PixelsHonourTheWholeClipRectangle)
{
    const VTLPixelFormat f = useFormat("rgb565");
    Surface s(f, 40, 40);
    s.SetClipper(10, 10, 19, 19);
    EXPECT_FALSE(s.putPixel(9, 10, 0xF800));
    EXPECT_FALSE(s.putPixel(10, 20, 0xF800));
    EXPECT_TRUE(s.putPixel(10, 10, 0xF800));
    EXPECT_TRUE(s.putPixel(19, 19, 0xF800));
    EXPECT_EQ(s.getPixel(10, 10), 0xF800u);
    s.set(5, 5, 0x1234);
    EXPECT_EQ(s.getPixel(5, 5), 0u) << "outside the clip reads as 0";
    EXPECT_FALSE(s.putPixelBlend(20, 15, 0xFFFF, 128));
    EXPECT_FALSE(s.putPixel(-2147483647 - 1, 15, 1));
    EXPECT_FALSE(s.putPixel(2147483647, 15, 1));

    BITPLANEFX empty;
    std::memset(&empty, 0, sizeof empty);
    EXPECT_FALSE(empty.putPixel(0, 0, 1));
    EXPECT_EQ(empty.getPixel(0, 0), 0u);
    EXPECT_FALSE(empty.hline(0, 5, 0, 1));
}

TEST(Primitives, StoresAndReadsAtEveryDepth)
{
    Surface s8(useFormat("pal8"), 4, 4), s16(useFormat("rgb565"), 4, 4), s24(useFormat("rgb24"), 4, 4),
        s32(useFormat("rgb32"), 4, 4, true);
    EXPECT_TRUE(s8.putPixel(1, 1, 0xAB1C));
    EXPECT_EQ(s8.getPixel(1, 1), 0x1C1Cu) << "the byte, repeated in bits 8-15";
    EXPECT_TRUE(s16.putPixel(1, 1, 0x1F800));
    EXPECT_EQ(s16.getPixel(1, 1), 0x0000F800u);
    EXPECT_TRUE(s24.putPixel(1, 1, 0xFF123456));
    EXPECT_EQ(s24.getPixel(1, 1), 0x123456u);
    EXPECT_EQ(s24.at(1, 1)[0], 0x56);
    EXPECT_EQ(s24.at(2, 1)[0], 0) << "three bytes only";
    EXPECT_TRUE(s32.putPixel(1, 1, 0x89ABCDEF, 77));
    EXPECT_EQ(s32.getPixel(1, 1), 0x89ABCDEFu);
    EXPECT_EQ(s32.alpha[1 * 4 + 1], 77);
    EXPECT_FALSE(s16.putPixel(1, 1, 0x1234, 77)) << "no alpha plane";
    EXPECT_EQ(s16.getPixel(1, 1), 0xF800u);
}

TEST(Primitives, BlendedPixelsAtTheEndLevels)
{
    for (const char* name : {"pal8", "rgb565", "bgr555"}) {
        const VTLPixelFormat f = useFormat(name);
        Surface s(f, 2, 1);
        s.set(0, 0, 0x5A);
        s.putPixelBlend(0, 0, 0x3C, 0);
        EXPECT_EQ(s.get(0, 0), 0x5Au) << name << ": level 0 leaves the pixel";
        s.putPixelBlend(0, 0, 0x3C, 255);
        EXPECT_EQ(s.get(0, 0), 0x3Cu) << name << ": level 255 stores the colour";
    }
    const VTLPixelFormat f = useFormat("rgb565");
    Surface s(f, 1, 1);
    s.set(0, 0, 0x001F);
    s.putPixelBlend(0, 0, 0xF800, 128);
    EXPECT_EQ(s.get(0, 0), FadeLo[128][0x00] + FadeHi[128][0xF8] + FadeLoRev[128][0x1F] + 0u);

    // 24 and 32 bits: each colour byte scaled, the fourth byte kept.
    const VTLPixelFormat f32 = useFormat("rgb32");
    Surface t(f32, 1, 1);
    t.set(0, 0, 0x77204060);
    t.putPixelBlend(0, 0, 0x00FF8000, 128);
    EXPECT_EQ(t.get(0, 0), 0x77000000u | (Scale8[128][0xFF] + Fade8Rev[128][0x20]) << 16 |
                               (Scale8[128][0x80] + Fade8Rev[128][0x40]) << 8 | (Scale8[128][0] + Fade8Rev[128][0x60]));
}

TEST(Primitives, HorizontalLinesClampToTheClipColumns)
{
    const VTLPixelFormat f = useFormat("rgb565");
    Surface s(f, 30, 30);
    s.SetClipper(10, 10, 19, 19);
    EXPECT_TRUE(s.hline(25, 5, 12, 0x1111));
    EXPECT_TRUE(s.hline(5, 12, 13, 0x2222));
    EXPECT_FALSE(s.hline(0, 9, 14, 0x3333));
    EXPECT_FALSE(s.hline(20, 25, 14, 0x3333));
    EXPECT_FALSE(s.hline(10, 19, 9, 0x3333)) << "row outside the clip";
    Points expected;
    for (int x = 10; x <= 19; ++x)
        expected.insert({x, 12});
    EXPECT_EQ(drawn(s, 0x1111), expected);
    EXPECT_EQ(drawn(s, 0x2222), (Points{{10, 13}, {11, 13}, {12, 13}}));
    EXPECT_TRUE(drawn(s, 0x3333).empty());

    // Five 16-bit pixels: odd counts are written whole, nothing past the end.
    Surface t(f, 8, 1);
    t.fill(0xAAAA);
    t.hline(1, 5, 0, 0xFFFF1234);
    EXPECT_EQ(t.get(0, 0), 0xAAAAu);
    for (int x = 1; x <= 5; ++x)
        EXPECT_EQ(t.get(x, 0), 0x1234u);
    EXPECT_EQ(t.get(6, 0), 0xAAAAu);

    Surface u(useFormat("bgr24"), 5, 1);
    u.hline(0, 4, 0, 0x00ABCDEF);
    EXPECT_EQ(u.get(4, 0), 0xABCDEFu);
}

TEST(Primitives, LinesLeaveOutTheirEndPoint)
{
    const VTLPixelFormat f = useFormat("pal8");
    struct Case {
        int x1, y1, x2, y2;
        Points points;
    } cases[] = {
        {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
        {4, 2, 0, 0, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
        {3, 3, 3, 3, {}},
        {0, 0, 0, 3, {{0, 0}, {0, 1}, {0, 2}}},
        {0, 3, 0, 0, {{0, 3}, {0, 2}, {0, 1}}},
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
        {0, 4, 2, 0, {{0, 4}, {1, 3}, {1, 2}, {2, 1}}},
    };
    for (const Case& c : cases) {
        Surface s(f, 8, 8);
        s.line(c.x1, c.y1, c.x2, c.y2, 0x1C);
        EXPECT_EQ(drawn(s, 0x1C), c.points) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
    }
    Surface s(f, 8, 8);
    s.SetClipper(2, 0, 7, 7);
    s.line(-100, 0, 5, 0, 0xE0);
    EXPECT_EQ(drawn(s, 0xE0), (Points{{2, 0}, {3, 0}, {4, 0}})) << "clipped point by point";
}

TEST(Primitives, BlendedLinesFollowTheEffectsSwitch)
{
    const VTLPixelFormat f = useFormat("rgb565");
    Surface s(f, 8, 1);
    s.fill(0x001F);
    s.lineBlend(0, 0, 4, 0, 0xF800, 128);
    EXPECT_EQ(s.get(0, 0), 0x780Fu);
    EXPECT_EQ(s.get(4, 0), 0x001Fu);
    vtl::setEffectsEnabled(false);
    s.lineBlend(0, 0, 4, 0, 0xF800, 128);
    vtl::setEffectsEnabled(true);
    EXPECT_EQ(s.get(0, 0), 0xF800u) << "without effects the plain colour is drawn";
}

TEST(Primitives, EllipseOutlineAndFill)
{
    const VTLPixelFormat f = useFormat("rgb565");
    {
        Surface s(f, 100, 100);
        s.ellipse(50, 50, 10, 0, 0xFFFF);
        EXPECT_EQ(drawn(s, 0xFFFF), (Points{{40, 50}, {60, 50}}));
    }
    {
        // A circle of radius 3: symmetric in both axes, its extreme points
        // on the axes, and the fill covers exactly the rows of the outline.
        Surface outline(f, 20, 20), filled(f, 20, 20);
        outline.ellipse(10, 10, 3, 3, 0xFFFF);
        filled.fillellipse(10, 10, 3, 3, 0xFFFF);
        const Points o = drawn(outline, 0xFFFF);
        for (auto [x, y] : o) {
            EXPECT_TRUE(o.count({20 - x, y}) && o.count({x, 20 - y})) << x << "," << y;
            EXPECT_EQ(filled.get(x, y), 0xFFFFu) << "outline point inside the fill";
        }
        EXPECT_TRUE(o.count({7, 10}) && o.count({13, 10}) && o.count({10, 7}) && o.count({10, 13}));
        for (auto [x, y] : drawn(filled, 0xFFFF)) {
            int lo = 100, hi = -100;
            for (auto [ox, oy] : o)
                if (oy == y) {
                    lo = std::min(lo, ox);
                    hi = std::max(hi, ox);
                }
            EXPECT_TRUE(x >= lo && x <= hi) << x << "," << y;
        }
    }
    {
        // Clipped: no write outside the clip however large the ellipse.
        Surface s(f, 30, 30);
        s.SetClipper(5, 5, 24, 24);
        s.fillellipse(15, 15, 100, 40, 0xFFFF);
        s.ellipse(15, 15, 2000, 3, 0xFFFF);
        for (auto [x, y] : drawn(s, 0xFFFF))
            EXPECT_TRUE(x >= 5 && x <= 24 && y >= 5 && y <= 24) << x << "," << y;
    }
}
