// Run buffers too large for a 32-bit process are refused as failed
// allocations, each with its class's message, and never wrapped to 32 bits.
#include <vantrel/core.h>
#include <vantrel/rlefx.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/message_capture.h"

namespace {
template <class Image>
Image emptyImage()
{
    Image image;
    std::memset(static_cast<void*>(&image), 0, sizeof image);
    return image;
}
} // namespace

TEST(RunBufferLimit, RunsOfTwoGibibytesOrMoreAreRefused)
{
    const DWORD before = MemUsed();
    MessageCapture capture;
    RLEFX sprite = emptyImage<RLEFX>();
    ASSERT_TRUE(sprite.create(4, 4, 64));
    EXPECT_FALSE(sprite.create(4, 4, 1ul << 31));
    EXPECT_EQ(sprite.runs, nullptr) << "the old runs are freed first";
    // 4 GiB and 16 bytes: 16 bytes once cut to 32 bits.  Where long has 32
    // bits, as on Windows, no such size can be asked for.
    std::string expected = "RLEFX::create() - MemAlloc().\r\n";
    if (sizeof(unsigned long) > 4) {
        EXPECT_FALSE(sprite.create(4, 4, static_cast<unsigned long>((1ull << 32) + 16)));
        expected += "RLEFX::create() - MemAlloc().\r\n";
    }
    COLORFX colour = emptyImage<COLORFX>();
    EXPECT_FALSE(colour.create(4, 4, 3ul << 30));
    MONOFX mono = emptyImage<MONOFX>();
    EXPECT_FALSE(mono.create(4, 4, 3ul << 30));
    EXPECT_EQ(capture.text(), expected + "COLORFX::create() - MemAlloc().\r\n"
                                         "MONOFX::create() - MemAlloc().\r\n");
    EXPECT_EQ(MemUsed(), before);
}
