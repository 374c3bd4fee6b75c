#include <vantrel/core.h>

#include <gtest/gtest.h>

#include <cstring>

#include "support/message_capture.h"

TEST(CountedHeap, CountsWhatIsHeldAndReportsIt)
{
    const DWORD before = MemUsed();
    auto* a = static_cast<unsigned char*>(MemAlloc(100));
    auto* b = static_cast<unsigned char*>(CMemAlloc(10, 3));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(a[i], 0) << "MemAlloc must zero-fill";
    for (int i = 0; i < 30; ++i)
        ASSERT_EQ(b[i], 0) << "CMemAlloc must zero-fill";
    MemFree(a);

    MessageCapture capture;
    EXPECT_EQ(MemUsed(), before + 30);
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_EQ(capture.messages()[0], "VTL TotalMemoryUsed = " + std::to_string(before + 30) + "\r\n");
    MemFree(b);
    EXPECT_EQ(MemUsed(), before);
}

TEST(CountedHeap, ZeroSizedBlocksAreDistinctAndFree)
{
    MessageCapture quiet;
    const DWORD before = MemUsed();
    void* a = MemAlloc(0);
    void* b = MemAlloc(0);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(MemUsed(), before);
    MemFree(a);
    MemFree(b);
    MemFree(nullptr);
    EXPECT_EQ(MemUsed(), before);
}

TEST(CountedHeap, HeaderHoldsTheRequestedSize)
{
    auto* p = static_cast<unsigned char*>(MemAlloc(1234));
    uint32_t header;
    std::memcpy(&header, p - 4, 4);
    EXPECT_EQ(header, 1234u);
    MemFree(p);
}

TEST(CountedHeap, CountProductWrapsIn32Bits)
{
    // 0x10001 * 0x10000 overflows 32 bits to 0x10000: a 64 KiB block.
    MessageCapture quiet;
    const DWORD before = MemUsed();
    void* p = CMemAlloc(0x10001u, 0x10000u);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(MemUsed(), before + 0x10000u);
    MemFree(p);
}
