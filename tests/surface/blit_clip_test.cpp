// Clipping of the surface-to-surface blits: the rectangle is clamped to the
// source and clipped against the destination's clip size, in place.
#include <gtest/gtest.h>

#include "surface/blit_clip.h"
#include "surface_helpers.h"

namespace {

// Destination pixels that were written (the destination starts as 0xFFFF).
int countWritten(const Surface& d)
{
    int n = 0;
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x)
            n += d.get(x, y) != 0xFFFF;
    return n;
}

using BlitClip = Rgb565Test;

} // namespace

TEST_F(BlitClip, NegativePositionWithoutRectangleCopiesTheVisiblePartAndUpdatesTheSharedRectangle)
{
    Surface src(f, 100, 50), dst(f, 200, 100);
    src.markPositions();
    dst.fill(0xFFFF);
    dst.Blt(&src, {-30, -10}, nullptr);
    EXPECT_TRUE(sameRect(vtl::wholeSourceRect(), rectOf(30, 10, 100, 50))) << vtl::wholeSourceRect();
    EXPECT_EQ(dst.get(0, 0), 30u | 10u << 8);
    EXPECT_EQ(dst.get(69, 39), 99u | 49u << 8);
    EXPECT_EQ(countWritten(dst), 70 * 40);
}

TEST_F(BlitClip, RectangleIsClampedToTheSourceInPlace)
{
    Surface src(f, 64, 64), dst(f, 640, 480);
    tagRECT r = rectOf(-5, -5, 500, 500);
    dst.fill(0xFFFF);
    dst.Blt(&src, {10, 10}, &r);
    EXPECT_TRUE(sameRect(r, rectOf(0, 0, 64, 64))) << r;
    EXPECT_EQ(countWritten(dst), 64 * 64);
}

TEST_F(BlitClip, ClipSizeLimitsTheAreaButTheClipOriginIsIgnored)
{
    Surface src(f, 100, 100), dst(f, 640, 480);
    src.markPositions();
    dst.SetClipper(0, 0, 319, 199);
    dst.fill(0xFFFF);
    tagRECT r = rectOf(0, 0, 100, 100);
    dst.Blt(&src, {300, 150}, &r);
    EXPECT_TRUE(sameRect(r, rectOf(0, 0, 20, 50))) << r;
    EXPECT_EQ(countWritten(dst), 20 * 50);

    dst.SetClipper(100, 100, 199, 199);
    dst.fill(0xFFFF);
    dst.Blt(&src, {0, 0}, nullptr);
    EXPECT_EQ(dst.get(0, 0), 0u) << "draws from (0, 0) although the clip starts at (100, 100)";
    EXPECT_EQ(countWritten(dst), 100 * 100);
    EXPECT_EQ(dst.get(100, 0), 0xFFFFu);
}

TEST_F(BlitClip, PositionsAtAndPastTheEdges)
{
    Surface src(f, 10, 10), dst(f, 40, 30);
    struct Case {
        LONG x, y;
        int columns, rows;
    } cases[] = {
        {40, 0, 0, 0},  // x equal to clipWidth
        {0, 30, 0, 0},  // y equal to clipHeight
        {-10, 0, 0, 0}, // x = -w
        {0, -10, 0, 0}, // y = -h
        {-9, 0, 1, 10}, // x = -w + 1: one column
        {0, -9, 10, 1},
        {39, 29, 1, 1},
        {-2147483647 - 1, 0, 0, 0},
        {2147483647, 0, 0, 0},
    };
    for (const Case& c : cases) {
        dst.fill(0xFFFF);
        tagRECT r = rectOf(0, 0, 10, 10);
        dst.Blt(&src, {c.x, c.y}, &r);
        EXPECT_EQ(countWritten(dst), c.columns * c.rows) << "at " << c.x << ", " << c.y;
        if (c.columns) {
            EXPECT_EQ(r.right - r.left, c.columns) << "at " << c.x << ", " << c.y;
        }
    }
}

TEST_F(BlitClip, EmptyAndInvertedRectanglesDrawNothingAndStayAsClamped)
{
    Surface src(f, 20, 20), dst(f, 40, 40);
    for (tagRECT r : {rectOf(5, 5, 5, 10), rectOf(5, 5, 10, 5), rectOf(10, 10, 5, 5), rectOf(30, 0, 40, 10),
                      rectOf(-8, 0, -2, 10)}) {
        dst.fill(0xFFFF);
        tagRECT copy = r;
        dst.Blt(&src, {0, 0}, &copy);
        dst.FadeBlt(&src, {0, 0}, &copy, 128);
        EXPECT_EQ(countWritten(dst), 0) << r;
    }
}

TEST_F(BlitClip, RectangleHoldsTheStepsDoneWhenAClipStopsEarly)
{
    Surface src(f, 50, 50), dst(f, 40, 40);
    tagRECT r = rectOf(-4, 0, 50, 50);
    dst.fill(0xFFFF);
    dst.Blt(&src, {-10, 60}, &r); // x clipped first, then y is past the clip
    EXPECT_TRUE(sameRect(r, rectOf(10, 0, 50, 50))) << r;
    EXPECT_EQ(countWritten(dst), 0);
}

TEST_F(BlitClip, MissingBuffersAndMismatchedSourcesDrawNothing)
{
    Surface src(f, 8, 8), dst(f, 8, 8);
    BITPLANEFX empty;
    std::memset(&empty, 0, sizeof empty);
    dst.fill(0xFFFF);
    tagRECT r = rectOf(-1, -1, 9, 9);
    dst.Blt(&empty, {0, 0}, &r);
    dst.Blt(static_cast<BITPLANEFX*>(nullptr), {0, 0}, &r);
    EXPECT_TRUE(sameRect(r, rectOf(-1, -1, 9, 9))) << "refused before the rectangle is touched";
    dst.AlphaBlt(&src, {0, 0}, nullptr); // the source has no alpha plane
    EXPECT_EQ(countWritten(dst), 0);

    Surface src8(useFormat("pal8"), 8, 8);
    useFormat("rgb565");
    dst.Blt(&src8, {0, 0}, nullptr);
    EXPECT_EQ(countWritten(dst), 0);
}

TEST_F(BlitClip, EightBitTransBltReadsOneBytePerPixel)
{
    VTLPixelFormat p8 = useFormat("pal8");
    Surface src(p8, 32, 1), dst(p8, 32, 1);
    for (int x = 0; x < 32; ++x)
        src.set(x, 0, static_cast<uint32_t>(x + 1));
    tagRECT r = rectOf(10, 0, 32, 1);
    dst.TransBlt(&src, {0, 0}, &r);
    EXPECT_EQ(dst.get(0, 0), 11u);
    EXPECT_EQ(dst.get(21, 0), 32u);
}
