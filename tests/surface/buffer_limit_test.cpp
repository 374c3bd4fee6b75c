// Surfaces and images too large for a 32-bit process are refused as the
// failed allocations they would have been there, whatever header asks.
#include <vantrel/alphafx.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/lutfx.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include <cstring>

#include "support/image_files.h"
#include "support/message_capture.h"

TEST(BufferLimit, AnEighteenByteTgaDeclaringAHugePictureIsRefusedOnEveryDisplay)
{
    // An image type the loader does not read, 65,535 x 65,535 pixels, and
    // nothing after the header: even an 8-bit display would need 4 GiB.
    const Bytes file = makeTga(0, 24, 65535, 65535, Bytes{});
    ASSERT_EQ(file.size(), 18u);
    for (const DisplayFormat& f : kDisplayFormats) {
        TestArchive archive;
        archive.add("HUGE.TGA", file);
        VTLHND handle;
        setDisplayFormat(handle, f);
        ASSERT_TRUE(archive.openIn(handle));
        BITPLANEFX surface{};
        const DWORD before = MemUsed();
        MessageCapture capture;
        EXPECT_FALSE(handle.create(&surface, const_cast<char*>("HUGE.TGA"))) << f;
        EXPECT_EQ(capture.text(), "BITPLANEFX::create() - MemAlloc().\r\n"
                                  "BITPLANEFX::loadTga() - create()\r\n")
            << f;
        EXPECT_EQ(surface.pixels, nullptr) << f;
        EXPECT_EQ(handle.surfaceList, nullptr) << f;
        EXPECT_EQ(MemUsed(), before) << f;
    }
}

TEST(BufferLimit, ASurfaceWhoseBuffersReachTwoGibibytesIsRefused)
{
    BITPLANEFX s;
    std::memset(&s, 0, sizeof s);
    s.bitsPerPixel = 8;
    s.bytesPerPixel = 1;
    const DWORD before = MemUsed();
    MessageCapture capture;
    EXPECT_FALSE(s.create(65536, 32768, false)) << "exactly 2 GiB of pixels";

    // 1.6 GiB of 32-bit pixels fit; their alpha plane brings the surface
    // past 2 GiB.
    s.bitsPerPixel = 32;
    s.bytesPerPixel = 4;
    EXPECT_FALSE(s.create(16384, 26216, true));
    EXPECT_EQ(s.pixels, nullptr);
    EXPECT_EQ(s.alpha, nullptr);
    EXPECT_EQ(capture.text(), "BITPLANEFX::create() - MemAlloc().\r\n"
                              "BITPLANEFX::create() - MemAlloc().\r\n");
    EXPECT_EQ(MemUsed(), before);
}

TEST(BufferLimit, AlphaMapsAndLookupImagesToo)
{
    const DWORD before = MemUsed();
    MessageCapture capture;
    ALPHAFX map{};
    ASSERT_TRUE(map.create(4, 4));
    EXPECT_FALSE(map.create(65536, 32768));
    EXPECT_EQ(map.map, nullptr) << "the old map is freed first";
    EXPECT_FALSE(map.create(-2, -2)) << "a negative size is not wrapped into a small one";
    LUTFX lut{};
    // Each image alone would fit; the two together would not.
    EXPECT_FALSE(lut.create(40000, 30000));
    EXPECT_EQ(lut.front, nullptr);
    EXPECT_EQ(capture.text(), "ALPHAFX::create() - MemAlloc().\r\n"
                              "ALPHAFX::create() - MemAlloc().\r\n"
                              "LUTFX::create() - MemAlloc().\r\n");
    map.release();
    EXPECT_EQ(MemUsed(), before);
}
