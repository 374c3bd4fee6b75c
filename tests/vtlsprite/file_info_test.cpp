#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "file_info.h"
#include "picture.h"
#include "rle_encoder.h"

namespace {
std::vector<uint8_t> sample()
{
    Picture p;
    p.resize(4, 2);
    p.hasAlpha = true;
    p.pixel(0, 0)[3] = 0;
    p.pixel(1, 1)[3] = 100;
    return encodeRle(p, {});
}
} // namespace

TEST(RleScan, CountsWhatTheRowsHold)
{
    const std::vector<uint8_t> file = sample();
    RleSummary s;
    std::string error;
    ASSERT_TRUE(scanRle(file.data(), file.size(), s, error)) << error;
    EXPECT_EQ(s.width, 4u);
    EXPECT_EQ(s.height, 2u);
    EXPECT_EQ(s.opaque, 6u);
    EXPECT_EQ(s.level, 1u);
}

TEST(RleScan, FindsEveryKindOfDamage)
{
    const std::vector<uint8_t> good = sample();
    RleSummary s;
    std::string error;
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(scanRle(good.data(), cut, s, error)) << "cut at " << cut;

    std::vector<uint8_t> wide = good;
    wide[15 + 2] = 9; // the first opaque run after the skip: 9 pixels in a row of 4
    EXPECT_FALSE(scanRle(wide.data(), wide.size(), s, error));
    EXPECT_NE(error.find("more than 4 pixels"), std::string::npos) << error;

    std::vector<uint8_t> miscounted = good;
    miscounted[4] = 5;
    EXPECT_FALSE(scanRle(miscounted.data(), miscounted.size(), s, error));
    EXPECT_NE(error.find("counts 5"), std::string::npos) << error;
}
