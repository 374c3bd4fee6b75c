#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "picture.h"
#include "rle_encoder.h"

namespace {
using Bytes = std::vector<uint8_t>;

Picture row(std::initializer_list<std::vector<uint8_t>> rgba)
{
    Picture p;
    p.resize(static_cast<int>(rgba.size()), 1);
    int x = 0;
    for (const auto& px : rgba) {
        for (int i = 0; i < 4; ++i)
            p.pixel(x, 0)[i] = px[i];
        ++x;
    }
    return p;
}

uint32_t storedCount(const Bytes& file) { return file[4] | file[5] << 8 | file[6] << 16 | uint32_t(file[7]) << 24; }
Bytes rows(const Bytes& file) { return Bytes(file.begin() + 15, file.end()); }
} // namespace

TEST(RleEncoder, HeaderHoldsSizeAndStoredPixels)
{
    Picture p = row({{1, 2, 3, 255}, {4, 5, 6, 255}});
    p.hasAlpha = true;
    const Bytes file = encodeRle(p, {});
    ASSERT_GE(file.size(), 15u);
    EXPECT_EQ(file[0] | file[1] << 8, 2);
    EXPECT_EQ(file[2] | file[3] << 8, 1);
    EXPECT_EQ(storedCount(file), 2u);
    for (int i = 8; i < 15; ++i)
        EXPECT_EQ(file[i], 0);
    EXPECT_EQ(rows(file), (Bytes{2, 0, 1, 2, 3, 4, 5, 6, 0, 0}));
}

TEST(RleEncoder, AlphaMakesSkipOpaqueAndLevelRuns)
{
    Picture p = row({{9, 9, 9, 0}, {9, 9, 9, 0}, {10, 20, 30, 128}, {40, 50, 60, 1}, {70, 80, 90, 255}, {1, 1, 1, 0}});
    p.hasAlpha = true;
    const Bytes file = encodeRle(p, {});
    // The transparent pixel at the row's end needs no run.
    EXPECT_EQ(rows(file), (Bytes{0x02, 0x80, 0x02, 0x40, 128, 10, 20, 30, 1, 40, 50, 60, 0x01, 0x00, 70, 80, 90, 0, 0}));
    EXPECT_EQ(storedCount(file), 3u);
}

TEST(RleEncoder, ColourKeyMatchesExactlyAndIgnoresAlpha)
{
    // Without alpha the top-left colour is the key; a colour one step
    // away stays opaque.
    Picture p = row({{255, 0, 255, 255}, {254, 0, 255, 255}, {255, 0, 255, 255}, {1, 2, 3, 255}});
    EXPECT_EQ(rows(encodeRle(p, {})), (Bytes{0x01, 0x80, 0x01, 0x00, 254, 0, 255, 0x01, 0x80, 0x01, 0x00, 1, 2, 3, 0, 0}));

    Transparency key{Transparency::Key, 0x010203};
    p.hasAlpha = true;
    EXPECT_EQ(rows(encodeRle(p, key)), (Bytes{0x03, 0x00, 255, 0, 255, 254, 0, 255, 255, 0, 255, 0, 0}));

    Transparency none{Transparency::None, 0};
    EXPECT_EQ(storedCount(encodeRle(p, none)), 4u);
}

TEST(RleEncoder, LongRunsSplitAtTheLargestCount)
{
    Picture p;
    p.resize(20000, 1); // every pixel opaque white
    Transparency none{Transparency::None, 0};
    const Bytes r = rows(encodeRle(p, none));
    ASSERT_EQ(r.size(), 2 + 16383 * 3 + 2 + 3617 * 3 + 2u);
    EXPECT_EQ(r[0] | r[1] << 8, 16383);
    const size_t second = 2 + 16383 * 3;
    EXPECT_EQ(r[second] | r[second + 1] << 8, 3617);
}

TEST(RleEncoder, FullyTransparentRowsAreJustTheirEnd)
{
    Picture p;
    p.resize(3, 2);
    for (auto& b : p.rgba)
        b = 0;
    p.hasAlpha = true;
    const Bytes file = encodeRle(p, {});
    EXPECT_EQ(rows(file), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(storedCount(file), 0u);
}
