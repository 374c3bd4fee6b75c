// LUTFX: buffers, the colour table and the blit through it.
#include <vantrel/core.h>
#include <vantrel/lutfx.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include "surface/blit_clip.h"
#include "support/message_capture.h"
#include "surface_helpers.h"

namespace {

struct Lut : LUTFX {
    Lut() { std::memset(static_cast<LUTFX*>(this), 0, sizeof(LUTFX)); }
    ~Lut() { release(); }
};

} // namespace

TEST(Lut, CreateGivesTwoClearImagesAndATransparentTable)
{
    const DWORD before = MemUsed();
    Lut l;
    ASSERT_TRUE(l.create(3, 2));
    EXPECT_EQ(l.pitch, 3u);
    EXPECT_EQ(l.xSize(), 3);
    EXPECT_EQ(l.ySize(), 2);
    EXPECT_EQ(MemUsed(), before + 6 + 6 + 1024);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(l.front[i] | l.back[i], 0);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(l.entries[i], 0u);
    ASSERT_TRUE(l.create(10, 10)) << "creating again frees the old buffers";
    EXPECT_EQ(MemUsed(), before + 100 + 100 + 1024);
    EXPECT_TRUE(l.release());
    EXPECT_FALSE(l);
    EXPECT_EQ(l.entries, nullptr);
    EXPECT_EQ(MemUsed(), before);
}

TEST(Lut, SetEntryPacksForTheOwnersDisplayAndFlipSwaps)
{
    useFormat("rgb565");
    VTLHND handle;
    handle.bitsPerPixel = 16;
    handle.formatCode = PF_RGB565;
    Lut l;
    l.SetEntry(5, 255, 255, 255, 255); // no table yet: nothing happens
    ASSERT_TRUE(l.create(4, 4));
    l.SetEntry(5, 200, 255, 0, 0);
    EXPECT_EQ(l.entries[5], 0u) << "no owner: nothing to pack for";
    l.owner = &handle;
    l.SetEntry(5, 200, 255, 0, 0);
    EXPECT_EQ(l.entries[5], 0xC800F800u);

    unsigned char* first = l.front;
    unsigned char* second = l.back;
    l.Flip();
    EXPECT_EQ(l.front, second);
    EXPECT_EQ(l.back, first);
    l.Flip();
    EXPECT_EQ(l.front, first);
}

TEST(Lut, BltBlendsEachEntryByItsAlpha)
{
    const VTLPixelFormat f = useFormat("rgb565");
    Lut l;
    ASSERT_TRUE(l.create(4, 1));
    l.front[0] = 5;
    l.front[1] = 6;
    l.front[2] = 7;
    l.front[3] = 9; // never set: transparent black
    l.entries[5] = 0xFF000000u | 0xFFFF;
    l.entries[6] = 0x00000000u | 0xFFFF;
    l.entries[7] = 0x80000000u | 0xF800;
    Surface d(f, 4, 1);
    d.fill(0x001F);
    d.Blt(&l, {0, 0}, nullptr);
    EXPECT_EQ(d.get(0, 0), 0xFFFFu);
    EXPECT_EQ(d.get(1, 0), 0x001Fu);
    EXPECT_EQ(d.get(2, 0), FadeLo[128][0] + FadeHi[128][0xF8] + FadeLoRev[128][0x1F] + 0u);
    EXPECT_EQ(d.get(3, 0), 0x001Fu);
}

TEST(Lut, RectangleIsClampedInPlace)
{
    const VTLPixelFormat f = useFormat("rgb565");
    Lut l;
    ASSERT_TRUE(l.create(10, 10));
    std::memset(l.front, 1, 100);
    l.entries[1] = 0xFF00F800u;
    Surface d(f, 20, 20);
    tagRECT r{-3, -3, 100, 100};
    d.Blt(&l, {10, 10}, &r);
    EXPECT_TRUE(sameRect(r, rectOf(0, 0, 10, 10))) << r;
    EXPECT_EQ(d.get(10, 10), 0xF800u);
    EXPECT_EQ(d.get(19, 19), 0xF800u);
    EXPECT_EQ(d.get(9, 9), 0u);

    // The caller's rectangle keeps the clamped area when the surface clips it.
    tagRECT whole{0, 0, 10, 10};
    Surface e(f, 20, 20);
    e.Blt(&l, {15, -4}, &whole);
    EXPECT_TRUE(sameRect(whole, rectOf(0, 0, 10, 10))) << whole;
    EXPECT_EQ(e.get(15, 0), 0xF800u);
    EXPECT_EQ(e.get(14, 0), 0u);
    EXPECT_EQ(e.get(15, 6), 0u);

    Surface p8(useFormat("pal8"), 20, 20);
    p8.Blt(&l, {0, 0}, nullptr);
    EXPECT_EQ(p8.get(0, 0), 0u) << "8-bit surfaces are not drawn on";
}
