#include <vantrel/animation.h>
#include <vantrel/core.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include "anim/anim_fixtures.h"
#include "support/image_files.h"
#include "support/message_capture.h"

namespace {
char* name(const char* text) { return const_cast<char*>(text); }

Bytes keyedBmp()
{
    return makeBmp24(3, 2, [](int x, int y) { return x == 0 && y == 0 ? Rgba{255, 0, 255, 0} : Rgba{10, 200, 30, 0}; });
}

Bytes alphaTga()
{
    return makeTga(2, 32, 2, 1, tgaRows(2, 1, 32, [](int x, int) { return Rgba{200, 100, 50, static_cast<unsigned char>(x ? 128 : 255)}; }));
}
} // namespace

TEST(PictureFrames, EncodedFramesAreOwnedAndRegistered)
{
    ArchiveHandle fixture({{"STAND.BMP", keyedBmp()}, {"GLOW.TGA", alphaTga()}});
    VTLHND& handle = fixture.handle;
    const DWORD before = MemUsed();
    ANIMATIONFX set{};
    ASSERT_TRUE(handle.create(&set, static_cast<unsigned short>(3)));
    ASSERT_TRUE(set.bltBmp(name("STAND.BMP"), 2, 5, -3, 7));
    ASSERT_TRUE(set.bltTga(name("GLOW.TGA"), 2, 6, 0, 0));

    const ANIMFRAME& bmp = set.frames[0];
    ASSERT_NE(bmp.image, nullptr);
    EXPECT_EQ(bmp.owned, 1);
    EXPECT_EQ(bmp.action, 2);
    EXPECT_EQ(bmp.direction, 5);
    EXPECT_EQ(bmp.xOffset, -3);
    EXPECT_EQ(bmp.yOffset, 7);
    EXPECT_EQ(bmp.image->kind, RLE_KIND_BMP);
    EXPECT_EQ(bmp.image->fileData, fixture.entry("STAND.BMP"));
    EXPECT_EQ(bmp.image->fileSize, keyedBmp().size());
    EXPECT_EQ(bmp.image->format, PF_RGB565);
    EXPECT_EQ(bmp.image->width, 3);
    // The top-left pixel's colour is transparent: the first run skips it.
    EXPECT_EQ(bmp.image->runs[0] | bmp.image->runs[1] << 8, RLE_SKIP | 1);

    const ANIMFRAME& tga = set.frames[1];
    ASSERT_NE(tga.image, nullptr);
    EXPECT_EQ(tga.image->kind, RLE_KIND_TGA);
    EXPECT_EQ(tga.owned, 1);
    EXPECT_EQ(handle.rleList, tga.image);
    EXPECT_EQ(tga.image->next, bmp.image);
    EXPECT_EQ(bmp.image->prev, tga.image);

    ASSERT_TRUE(handle.release(&set));
    EXPECT_EQ(handle.rleList, nullptr);
    EXPECT_EQ(MemUsed(), before);
}

TEST(PictureFrames, FailedEncodingLeavesTheSlotFreeAndNothingBehind)
{
    Bytes bad = keyedBmp();
    bad[1] = 'A';
    ArchiveHandle fixture({{"BAD.BMP", bad}, {"GOOD.BMP", keyedBmp()}});
    VTLHND& handle = fixture.handle;
    ANIMATIONFX set{};
    ASSERT_TRUE(handle.create(&set, static_cast<unsigned short>(1)));
    const DWORD before = MemUsed();

    MessageCapture log;
    EXPECT_FALSE(set.bltBmp(name("GHOST.BMP"), 0, 0, 0, 0));
    EXPECT_EQ(log.messages().back(), "Cannot Find File GHOST.BMP\r\n");
    EXPECT_FALSE(set.bltTga(name("GHOST.TGA"), 0, 0, 0, 0));
    log.clear();
    EXPECT_FALSE(set.bltBmp(name("BAD.BMP"), 0, 0, 0, 0));
    EXPECT_EQ(log.text(), "Failed to load\r\n");
    EXPECT_EQ(set.frames[0].image, nullptr);
    EXPECT_EQ(handle.rleList, nullptr);
    EXPECT_EQ(MemUsed(), before);

    // The slot is still there for a picture that loads.
    ASSERT_TRUE(set.bltBmp(name("GOOD.BMP"), 1, 1, 0, 0));
    EXPECT_NE(set.frames[0].image, nullptr);
    ASSERT_TRUE(handle.release(&set));
}
