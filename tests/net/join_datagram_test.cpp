// The join datagram, byte for byte.
#include "net/join_datagram.h"

#include <gtest/gtest.h>

#include <cstring>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> build(const char* a, const char* b)
{
    uint8_t out[vtl::kJoinDatagramSize];
    std::memset(out, 0xAA, sizeof out);
    vtl::buildJoinDatagram(a, b, out);
    return std::vector<uint8_t>(out, out + sizeof out);
}

TEST(JoinDatagram, HeaderLengthsJoinedTextAndZeroTail)
{
    const std::vector<uint8_t> d = build("Ann", "Team");
    std::vector<uint8_t> expected(56, 0);
    const uint8_t head[] = {0x01, 0x00, 0x02, 0x00, 3, 4, 'A', 'n', 'n', '-', 'T', 'e', 'a', 'm', 0};
    std::copy(std::begin(head), std::end(head), expected.begin());
    EXPECT_EQ(d, expected);
}

TEST(JoinDatagram, TheJoinedTextIsCutAtFortyNineCharacters)
{
    const std::string first(40, 'x');
    const std::string second(300, 'y');
    const std::vector<uint8_t> d = build(first.c_str(), second.c_str());
    EXPECT_EQ(d[4], 40);
    EXPECT_EQ(d[5], 255) << "a length byte holds at most 255";
    const std::string text(reinterpret_cast<const char*>(&d[6]));
    EXPECT_EQ(text, first + "-" + std::string(8, 'y'));
    EXPECT_EQ(d[55], 0);

    const std::string exact(24, 'z'); // 24 + 1 + 24 = 49: fits whole
    const std::vector<uint8_t> e = build(exact.c_str(), exact.c_str());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&e[6])), exact + "-" + exact);
}

TEST(JoinDatagram, MissingTextsAreEmpty)
{
    const std::vector<uint8_t> d = build(nullptr, nullptr);
    EXPECT_EQ(d[4], 0);
    EXPECT_EQ(d[5], 0);
    EXPECT_EQ(d[6], '-');
    for (size_t i = 7; i < d.size(); ++i)
        EXPECT_EQ(d[i], 0) << i;
}

} // namespace
