#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>

#include <gtest/gtest.h>

#include <cstring>

#include "support/message_capture.h"

namespace {
BITPLANEFX surfaceOfDepth(unsigned bits)
{
    BITPLANEFX s;
    std::memset(&s, 0, sizeof s);
    s.bitsPerPixel = static_cast<unsigned char>(bits);
    s.bytesPerPixel = static_cast<unsigned char>(bits / 8);
    return s;
}
} // namespace

TEST(BitplaneCreate, PitchIsRowBytesRoundedUpToEight)
{
    struct Case {
        unsigned bits;
        int width;
        DWORD pitch;
    } cases[] = {{16, 10, 24}, {8, 8, 8}, {24, 3, 16}, {32, 2, 8}, {8, 1, 8}, {24, 640, 1920}, {16, 1, 8}};
    for (const Case& c : cases) {
        BITPLANEFX s = surfaceOfDepth(c.bits);
        ASSERT_TRUE(s.create(c.width, 5, false));
        EXPECT_EQ(s.pitch, c.pitch) << c.bits << "-bit, width " << c.width;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(s.pixels) % 4, 0u);
        s.release();
    }
}

TEST(BitplaneCreate, FreshSurfaceIsBlackWholeClipAndNoKey)
{
    const DWORD before = MemUsed();
    BITPLANEFX s = surfaceOfDepth(16);
    s.colorKey = 0x1234;
    s.SetClipper(1, 1, 2, 2);
    ASSERT_TRUE(s.create(10, 5, false));
    EXPECT_EQ(MemUsed(), before + 120);
    EXPECT_EQ(s.alpha, nullptr);
    EXPECT_EQ(s.clipX, 0);
    EXPECT_EQ(s.clipY, 0);
    EXPECT_EQ(s.clipWidth, 10);
    EXPECT_EQ(s.clipHeight, 5);
    EXPECT_EQ(s.colorKey, 0);
    for (int i = 0; i < 120; ++i)
        ASSERT_EQ(s.pixels[i], 0);
    EXPECT_TRUE(s);
    EXPECT_EQ(s.xSize(), 10);
    EXPECT_EQ(s.ySize(), 5);
    s.release();
}

TEST(BitplaneCreate, AlphaPlaneRowsAreExactlyTheWidth)
{
    const DWORD before = MemUsed();
    BITPLANEFX s = surfaceOfDepth(16);
    ASSERT_TRUE(s.create(4, 4, true));
    ASSERT_NE(s.alpha, nullptr);
    EXPECT_EQ(s.pitch, 8u);
    EXPECT_EQ(MemUsed(), before + 32 + 16) << "pixels 8 x 4 plus a 16-byte alpha plane";
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(s.alpha[i], 0) << "a new alpha plane is fully transparent";
    s.release();
    EXPECT_EQ(MemUsed(), before);
}

TEST(BitplaneCreate, SizesBeyondThirtyTwoBitsAreRefusedNotWrapped)
{
    const DWORD before = MemUsed();
    MessageCapture capture;
    BITPLANEFX s = surfaceOfDepth(32);
    ASSERT_TRUE(s.create(8, 8, true));
    // 65536 x 65536 x 4 bytes wraps to 0 in 32 bits.
    EXPECT_FALSE(s.create(65536, 65536, false));
    EXPECT_EQ(s.pixels, nullptr);
    EXPECT_EQ(s.alpha, nullptr) << "the old buffers are freed first";
    EXPECT_FALSE(s.create(-4, 4, false));
    ASSERT_EQ(capture.messages().size(), 2u);
    EXPECT_EQ(capture.messages()[0], "BITPLANEFX::create() - MemAlloc().\r\n");
    s.release();
    EXPECT_EQ(MemUsed(), before);
}

TEST(BitplaneRelease, KeepsClipKindAndFileData)
{
    BITPLANEFX s = surfaceOfDepth(16);
    ASSERT_TRUE(s.create(640, 480, true));
    s.SetClipper(10, 20, 30, 40);
    s.kind = BITPLANE_TGA;
    unsigned char file[4] = {};
    s.fileData = file;
    EXPECT_TRUE(s.release());
    EXPECT_FALSE(s);
    EXPECT_EQ(s.xSize(), 0);
    EXPECT_EQ(s.ySize(), 0);
    EXPECT_EQ(s.pitch, 0u);
    EXPECT_EQ(s.alpha, nullptr);
    EXPECT_EQ(s.clipX, 10);
    EXPECT_EQ(s.clipY, 20);
    EXPECT_EQ(s.clipWidth, 21);
    EXPECT_EQ(s.clipHeight, 21);
    EXPECT_EQ(s.kind, BITPLANE_TGA);
    EXPECT_EQ(s.fileData, file);
    EXPECT_TRUE(s.release()) << "releasing an empty surface is fine";
}

TEST(BitplaneClip, CornersAreClampedSwappedAndInclusive)
{
    BITPLANEFX s = surfaceOfDepth(16);
    ASSERT_TRUE(s.create(640, 480, false));
    struct Case {
        unsigned short l, t, r, b;
        LONG x, y, w, h;
    } cases[] = {
        {100, 50, 10, 5, 10, 5, 91, 46},
        {0, 0, 65535, 65535, 0, 0, 640, 480},
        {700, 0, 800, 10, 639, 0, 1, 11},
        {5, 5, 5, 5, 5, 5, 1, 1},
        {639, 479, 0, 0, 0, 0, 640, 480},
    };
    for (const Case& c : cases) {
        s.SetClipper(c.l, c.t, c.r, c.b);
        EXPECT_EQ(s.clipX, c.x);
        EXPECT_EQ(s.clipY, c.y);
        EXPECT_EQ(s.clipWidth, c.w);
        EXPECT_EQ(s.clipHeight, c.h);
    }
    s.release();
}

TEST(BitplaneColorKey, TakesTheTopLeftPixel)
{
    BITPLANEFX s16 = surfaceOfDepth(16);
    EXPECT_FALSE(s16.setColorKey()) << "an empty surface has no pixel to take";
    ASSERT_TRUE(s16.create(4, 4, false));
    s16.pixels[0] = 0x1F;
    s16.pixels[1] = 0xF8;
    EXPECT_TRUE(s16.setColorKey());
    EXPECT_EQ(s16.colorKey, 0xF81F);
    s16.release();

    BITPLANEFX s8 = surfaceOfDepth(8);
    ASSERT_TRUE(s8.create(4, 4, false));
    s8.pixels[0] = 0x1C;
    s8.pixels[1] = 0x03;
    EXPECT_TRUE(s8.setColorKey());
    EXPECT_EQ(s8.colorKey, 0x001C);
    s8.release();

    BITPLANEFX s32 = surfaceOfDepth(32);
    ASSERT_TRUE(s32.create(4, 4, false));
    const unsigned char bgrx[4] = {0x11, 0x22, 0x33, 0x00};
    std::memcpy(s32.pixels, bgrx, 4);
    EXPECT_TRUE(s32.setColorKey());
    EXPECT_EQ(s32.colorKey, 0x2211) << "deeper surfaces keep the pixel's low 16 bits";
    s32.release();
}

TEST(BitplaneMisc, ClearAndLock)
{
    BITPLANEFX s = surfaceOfDepth(24);
    ASSERT_TRUE(s.create(3, 2, true));
    std::memset(s.pixels, 0x5A, s.pitch * 2);
    s.alpha[0] = 200;
    s.clear();
    for (DWORD i = 0; i < s.pitch * 2; ++i)
        ASSERT_EQ(s.pixels[i], 0) << "padding included";
    EXPECT_EQ(s.alpha[0], 200) << "clear leaves the alpha plane";

    unsigned char* pixels = s.pixels;
    EXPECT_FALSE(s.LockSurface());
    EXPECT_EQ(s.pixels, pixels);
    EXPECT_EQ(s.pitch, 16u);
    EXPECT_EQ(s.width, 3);
    EXPECT_EQ(s.height, 2);
    EXPECT_TRUE(s.create(nullptr));
    EXPECT_EQ(s.pixels, pixels) << "create(name) does nothing";

    s.release();

    // Unlocking forgets the pixels without freeing them (they were lent).
    BITPLANEFX lent = surfaceOfDepth(8);
    unsigned char borrowed[8] = {};
    lent.pixels = borrowed;
    lent.UnlockSurface();
    EXPECT_EQ(lent.pixels, nullptr);
    lent.UnlockSurface();
    lent.clear();
}
