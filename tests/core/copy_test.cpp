#include <vantrel/core.h>

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "core/cpu.h"

namespace {

std::vector<unsigned char> pattern(size_t n, unsigned char start)
{
    std::vector<unsigned char> v(n);
    std::iota(v.begin(), v.end(), start);
    return v;
}

class CopyRoutines : public testing::TestWithParam<bool> {
protected:
    void SetUp() override { vtl::setMmxFlag(GetParam()); }
    void TearDown() override { CPUwithMMX(); }
};

} // namespace

TEST_P(CopyRoutines, MemcpyCopiesEveryByteOfOddLengths)
{
    for (unsigned n : {0u, 1u, 3u, 7u, 8u, 13u, 31u, 33u, 1001u}) {
        auto src = pattern(n + 2, 1);
        std::vector<unsigned char> dst(n + 2, 0xEE);
        mmxmemcpy(dst.data() + 1, src.data() + 1, n);
        EXPECT_EQ(dst[0], 0xEE);
        EXPECT_EQ(dst[n + 1], 0xEE) << "wrote past the end for n=" << n;
        for (unsigned i = 1; i <= n; ++i)
            ASSERT_EQ(dst[i], src[i]) << "n=" << n << " i=" << i;
    }
}

TEST_P(CopyRoutines, MemsetAlwaysWritesZeros)
{
    for (unsigned n : {1u, 4u, 5u, 8u, 13u, 15u, 64u, 67u}) {
        std::vector<unsigned char> dst(n + 2, 0xAB);
        mmxmemset(dst.data() + 1, 0xFFFFFFFFu, n);
        EXPECT_EQ(dst[0], 0xAB);
        EXPECT_EQ(dst[n + 1], 0xAB);
        for (unsigned i = 1; i <= n; ++i)
            ASSERT_EQ(dst[i], 0) << "n=" << n << " i=" << i;
    }
}

INSTANTIATE_TEST_SUITE_P(BothMmxAnswers, CopyRoutines, testing::Bool(),
                         [](const auto& info) { return info.param ? "mmx" : "plain"; });

TEST(FpuMemcpy, CopiesWhole32ByteBlocksFromTheEnd)
{
    auto src = pattern(40, 100);
    std::vector<unsigned char> dst(40, 0);
    fpumemcpy(dst.data(), src.data(), 40);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(dst[i], 0) << "the first n % 32 bytes are left alone";
    for (int i = 8; i < 40; ++i)
        EXPECT_EQ(dst[i], src[i]);

    auto big = pattern(1000, 3);
    std::vector<unsigned char> out(1000, 0);
    fpumemcpy(out.data(), big.data(), 1000); // 1000 % 32 == 8
    EXPECT_EQ(std::vector<unsigned char>(out.begin(), out.begin() + 8), std::vector<unsigned char>(8, 0));
    EXPECT_TRUE(std::equal(out.begin() + 8, out.end(), big.begin() + 8));

    std::vector<unsigned char> small(31, 0);
    fpumemcpy(small.data(), big.data(), 31);
    EXPECT_EQ(small, std::vector<unsigned char>(31, 0)) << "counts below 32 copy nothing";
}

TEST(CpuWithMmx, AnswerMatchesTheProcessor)
{
    const bool answer = CPUwithMMX();
    EXPECT_EQ(vtl::mmxFlag(), answer);
#if defined(__x86_64__)
    EXPECT_TRUE(answer) << "every x86-64 processor has MMX";
#elif !defined(__i386__)
    EXPECT_FALSE(answer);
#endif
}
