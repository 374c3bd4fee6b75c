#include <vantrel/animation.h>
#include <vantrel/core.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include "anim/frame_images.h"
#include "support/message_capture.h"

TEST(FrameTable, CreateGivesFreeSlots)
{
    const DWORD before = MemUsed();
    ANIMATIONFX set{};
    ASSERT_TRUE(set.create(3));
    EXPECT_EQ(set.frameCount, 3);
    ASSERT_NE(set.frames, nullptr);
    EXPECT_EQ(MemUsed(), before + 3 * sizeof(ANIMFRAME));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(set.frames[i].image, nullptr);
        EXPECT_EQ(set.frames[i].owned, 0);
    }
    EXPECT_TRUE(set.release());
    EXPECT_EQ(set.frames, nullptr);
    EXPECT_EQ(set.frameCount, 3);
    EXPECT_EQ(MemUsed(), before);
}

TEST(FrameTable, BltFillsSlotsInOrderUntilOverflow)
{
    ANIMATIONFX set{};
    RLEFX a{}, b{}, c{}, d{};
    ASSERT_TRUE(set.create(3));
    ASSERT_TRUE(set.blt(&a, 1, 2, -1, 300));
    ASSERT_TRUE(set.blt(&b, 1, 2, 0, 0));
    ASSERT_TRUE(set.blt(&c, 4, 0, 5, -32768));
    EXPECT_EQ(set.frames[0].image, &a);
    EXPECT_EQ(set.frames[0].action, 1);
    EXPECT_EQ(set.frames[0].direction, 2);
    EXPECT_EQ(set.frames[0].xOffset, -1);
    EXPECT_EQ(set.frames[0].yOffset, 300);
    EXPECT_EQ(set.frames[0].owned, 0);
    EXPECT_EQ(set.frames[1].image, &b);
    EXPECT_EQ(set.frames[2].image, &c);
    EXPECT_EQ(set.frames[2].yOffset, -32768);

    MessageCapture log;
    EXPECT_FALSE(set.blt(&d, 9, 9, 0, 0));
    EXPECT_EQ(log.text(), "ANIMATIONFX::blt() - Surface overflow\r\n");
    EXPECT_EQ(set.frames[2].image, &c);
    EXPECT_EQ(set.frames[2].action, 4);
    EXPECT_TRUE(set.release());
    // Lent images are the caller's: release leaves them alone.
    EXPECT_EQ(a.runs, nullptr);
}

TEST(FrameTable, FreeSlotIsTheFirstWithoutImage)
{
    ANIMATIONFX set{};
    RLEFX a{}, b{};
    ASSERT_TRUE(set.create(4));
    set.frames[0].image = &a; // taken by hand, out of order
    set.frames[2].image = &a;
    ASSERT_TRUE(set.blt(&b, 7, 0, 0, 0));
    EXPECT_EQ(set.frames[1].image, &b);
    ASSERT_TRUE(set.blt(&b, 8, 0, 0, 0));
    EXPECT_EQ(set.frames[3].image, &b);
    EXPECT_EQ(set.frames[3].action, 8);
    set.release();
}

TEST(FrameTable, RefusalsAndTheirMessages)
{
    ANIMATIONFX set{};
    RLEFX a{};
    MessageCapture log;
    EXPECT_FALSE(set.blt(&a, 0, 0, 0, 0));
    EXPECT_FALSE(set.blt(nullptr, 0, 0, 0, 0));
    EXPECT_TRUE(set.release());
    EXPECT_FALSE(set.bltBmp(nullptr, 0, 0, 0, 0));
    EXPECT_FALSE(set.bltTga(nullptr, 0, 0, 0, 0));
    EXPECT_FALSE(set.bltBmp(const_cast<char*>("A.BMP"), 0, 0, 0, 0));
    EXPECT_FALSE(set.bltTga(const_cast<char*>("A.TGA"), 0, 0, 0, 0));
    EXPECT_EQ(log.text(),
              "ANIMATIONFX::blt() - No frames\r\n"
              "ANIMATIONFX::blt() - No surface\r\n"
              "ANIMATIONFX::destroy() - No frames\r\n"
              "ANIMATIONFX::bltBmp() - No surface\r\n"
              "ANIMATIONFX::bltTga() - No file\r\n"
              "ANIMATIONFX::bltBmp() - No frames\r\n"
              "ANIMATIONFX::bltTga() - No frames\r\n");

    // An empty table has no free slot; a released one has no table.
    ASSERT_TRUE(set.create(0));
    log.clear();
    EXPECT_FALSE(set.blt(&a, 0, 0, 0, 0));
    EXPECT_FALSE(set.bltBmp(const_cast<char*>("A.BMP"), 0, 0, 0, 0));
    EXPECT_FALSE(set.bltTga(const_cast<char*>("A.TGA"), 0, 0, 0, 0));
    EXPECT_TRUE(set.release());
    EXPECT_FALSE(set.blt(&a, 0, 0, 0, 0));
    EXPECT_EQ(log.text(),
              "ANIMATIONFX::blt() - Surface overflow\r\n"
              "ANIMATIONFX::bltBmp() - Surface overflow\r\n"
              "ANIMATIONFX::bltTga() - Surface overflow\r\n"
              "ANIMATIONFX::blt() - No frames\r\n");
}

TEST(FrameTable, ReleaseHandsOwnedImagesBackToTheOwner)
{
    VTLHND handle;
    const DWORD before = MemUsed();
    ANIMATIONFX set{};
    ASSERT_TRUE(handle.create(&set, static_cast<unsigned short>(3)));
    RLEFX lent{};
    RLEFX older{}; // an image registered before the set's
    older.next = nullptr;
    handle.rleList = &older;

    RLEFX* made = vtl::newFrameImage(set, RLE_KIND_RLE, nullptr, 0);
    ASSERT_NE(made, nullptr);
    ASSERT_TRUE(made->create(4, 4, 64));
    vtl::registerFrameImage(made);
    EXPECT_EQ(handle.rleList, made);
    EXPECT_EQ(older.prev, made);
    set.frames[0] = ANIMFRAME{made, 0, 0, 0, 0, 1};
    ASSERT_TRUE(set.blt(&lent, 0, 0, 0, 0));

    ASSERT_TRUE(handle.release(&set));
    EXPECT_EQ(handle.rleList, &older);
    EXPECT_EQ(older.prev, nullptr);
    EXPECT_EQ(set.frames, nullptr);
    EXPECT_EQ(MemUsed(), before);
    handle.rleList = nullptr;
}

TEST(FrameSetRegistry, SetsAreListedNewestFirst)
{
    VTLHND handle;
    handle.formatCode = PF_RGB565;
    handle.bitsPerPixel = 16;
    handle.bytesPerPixel = 2;
    ANIMATIONFX s1{}, s2{}, s3{};
    s1.reserved = 9;
    ASSERT_TRUE(handle.create(&s1, static_cast<unsigned short>(1)));
    ASSERT_TRUE(handle.create(&s2, static_cast<unsigned short>(2)));
    ASSERT_TRUE(handle.create(&s3, static_cast<unsigned short>(3)));
    EXPECT_EQ(s1.owner, &handle);
    EXPECT_EQ(s1.format, PF_RGB565);
    EXPECT_EQ(s1.reserved, 0);
    EXPECT_EQ(s1.bitsPerPixel, 16);
    EXPECT_EQ(s1.bytesPerPixel, 2);
    EXPECT_EQ(handle.animationList, &s3);
    EXPECT_EQ(s3.next, &s2);
    EXPECT_EQ(s2.next, &s1);
    EXPECT_EQ(s1.prev, &s2);

    ASSERT_TRUE(handle.release(&s2));
    EXPECT_EQ(s3.next, &s1);
    EXPECT_EQ(s1.prev, &s3);
    ASSERT_TRUE(handle.release(&s3));
    EXPECT_EQ(handle.animationList, &s1);
    EXPECT_EQ(s1.prev, nullptr);
    ASSERT_TRUE(handle.release(&s1));
    EXPECT_EQ(handle.animationList, nullptr);
}

TEST(FrameSetRegistry, RefusedNameKeepsTheSetUnlisted)
{
    VTLHND handle;
    handle.bitsPerPixel = 32;
    ANIMATIONFX set{};
    MessageCapture log;
    EXPECT_FALSE(handle.create(&set, const_cast<char*>("hero.rla")));
    EXPECT_FALSE(handle.create(&set, const_cast<char*>("HERO.RLE")));
    EXPECT_TRUE(log.messages().empty());
    EXPECT_EQ(set.owner, &handle);
    EXPECT_EQ(set.bitsPerPixel, 32);
    EXPECT_EQ(handle.animationList, nullptr);
    EXPECT_FALSE(handle.create(static_cast<ANIMATIONFX*>(nullptr), static_cast<unsigned short>(1)));
}
