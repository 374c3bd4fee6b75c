// Scaled blits: nearest-neighbour sampling, clipping to the whole surface and
// the effects of the five members.
#include <gtest/gtest.h>

#include "surface/blit_clip.h"
#include "surface_helpers.h"

namespace {

using ScaledBlit = Rgb565Test;

} // namespace

TEST_F(ScaledBlit, StretchesAndShrinksByNearestNeighbour)
{
    Surface small(f, 2, 2), big(f, 4, 4);
    small.markPositions();
    big.Blt(&small, {0, 0}, nullptr, 4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(big.get(x, y), static_cast<uint32_t>(x / 2 | (y / 2) << 8)) << x << "," << y;

    Surface four(f, 4, 4), two(f, 2, 2);
    four.markPositions();
    two.Blt(&four, {0, 0}, nullptr, 2, 2);
    EXPECT_EQ(two.get(0, 0), 0x000u);
    EXPECT_EQ(two.get(1, 0), 0x002u);
    EXPECT_EQ(two.get(0, 1), 0x200u);
    EXPECT_EQ(two.get(1, 1), 0x202u);

    // Uneven ratios: pixel (j, i) shows source (j * sw / W, i * sh / H).
    Surface src(f, 7, 5), dst(f, 13, 11);
    src.markPositions();
    dst.Blt(&src, {0, 0}, nullptr, 13, 11);
    for (int i = 0; i < 11; ++i)
        for (int j = 0; j < 13; ++j)
            ASSERT_EQ(dst.get(j, i), static_cast<uint32_t>(j * 7 / 13 | (i * 5 / 11) << 8)) << j << "," << i;
}

TEST_F(ScaledBlit, SizesBelowTwoAndEightBitSurfacesDrawNothing)
{
    Surface src(f, 4, 4), dst(f, 8, 8);
    src.fill(0x1234);
    for (auto [w, h] : {std::pair<unsigned long, unsigned long>{0, 4}, {1, 4}, {4, 1}, {4, 0}})
        dst.Blt(&src, {0, 0}, nullptr, w, h);
    EXPECT_EQ(dst.get(0, 0), 0u);

    const VTLPixelFormat f8 = useFormat("pal8");
    Surface s8(f8, 4, 4), d8(f8, 8, 8);
    s8.fill(0x1C);
    d8.Blt(&s8, {0, 0}, nullptr, 8, 8);
    d8.FadeBlt(&s8, {0, 0}, nullptr, 8, 8, 255);
    EXPECT_EQ(d8.get(3, 3), 0u);
}

TEST_F(ScaledBlit, ClipsToTheSurfaceScalingTheSourceRectangle)
{
    Surface src(f, 100, 10), dst(f, 640, 20);
    src.markPositions();
    dst.fill(0xFFFF);
    tagRECT r{0, 0, 100, 10};
    dst.Blt(&src, {-50, 0}, &r, 200, 10);
    EXPECT_EQ(r.left, 25);
    EXPECT_EQ(dst.get(0, 0), 25u);
    EXPECT_EQ(dst.get(149, 0), 99u);
    EXPECT_EQ(dst.get(150, 0), 0xFFFFu) << "150 columns drawn";

    dst.fill(0xFFFF);
    r = tagRECT{0, 0, 100, 10};
    dst.Blt(&src, {600, 0}, &r, 200, 10);
    EXPECT_EQ(r.right, 20) << "right reduced by 160 * 100 / 200";
    EXPECT_EQ(dst.get(599, 0), 0xFFFFu);
    EXPECT_EQ(dst.get(600, 0), 0u);
    EXPECT_EQ(dst.get(639, 0), 19u);

    // Past the surface, or wholly off it: nothing.
    dst.fill(0xFFFF);
    dst.Blt(&src, {640, 0}, nullptr, 10, 10);
    dst.Blt(&src, {-10, 0}, nullptr, 10, 10);
    dst.Blt(&src, {0, 20}, nullptr, 10, 10);
    EXPECT_EQ(dst.get(0, 0), 0xFFFFu);
    EXPECT_EQ(dst.get(639, 19), 0xFFFFu);

    // The clip rectangle plays no part.
    dst.SetClipper(10, 5, 20, 8);
    dst.Blt(&src, {0, 0}, nullptr, 640, 20);
    EXPECT_EQ(dst.get(639, 19), static_cast<uint32_t>(99 | 9 << 8));
    EXPECT_TRUE(sameRect(vtl::wholeSourceRect(), rectOf(0, 0, 100, 10)));
}

TEST_F(ScaledBlit, EffectsOfTheFiveMembers)
{
    Surface src(f, 2, 2), dst(f, 4, 4);
    src.fill(0xF800);
    src.set(1, 1, 0); // the key: the scaled blits do not use it

    dst.fill(0x001F);
    dst.FadeBlt(&src, {0, 0}, nullptr, 4, 4, 128);
    EXPECT_EQ(dst.get(0, 0), 0x7800u);
    EXPECT_EQ(dst.get(3, 3), 0u);

    dst.fill(0x001F);
    dst.BlendBlt(&src, {0, 0}, nullptr, 4, 4, 128);
    EXPECT_EQ(dst.get(0, 0), 0x7800u + (FadeLo[127][0x1F] + 0u)) << "destination weighed by 255 - level";
    dst.fill(0x001F);
    dst.BlendBlt(&src, {0, 0}, nullptr, 4, 4, 0);
    EXPECT_EQ(dst.get(0, 0), 0x001Fu);

    dst.fill(0x0000);
    dst.Blt50(&src, {0, 0}, nullptr, 4, 4);
    EXPECT_EQ(dst.get(0, 0), 0x7800u);

    dst.fill(0xFFFF);
    dst.ShadowBlt(&src, {1, 1}, nullptr, 3, 2);
    EXPECT_EQ(dst.get(0, 0), 0xFFFFu);
    EXPECT_EQ(dst.get(1, 1), 0x7BEFu);
    EXPECT_EQ(dst.get(3, 2), 0x7BEFu) << "transparent source pixels are halved too";
    EXPECT_EQ(dst.get(3, 3), 0xFFFFu);
}
