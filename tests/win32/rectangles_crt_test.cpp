// The rectangle helpers and the C runtime's Windows string calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

TEST(Rectangles, IntersectUnionAndSubtractAsWindowsDoes)
{
    RECT a, b, r;
    SetRect(&a, 0, 0, 100, 50);
    SetRect(&b, 50, 25, 150, 75);
    EXPECT_TRUE(IntersectRect(&r, &a, &b));
    RECT expected = {50, 25, 100, 50};
    EXPECT_TRUE(EqualRect(&r, &expected));
    EXPECT_TRUE(UnionRect(&r, &a, &b));
    SetRect(&expected, 0, 0, 150, 75);
    EXPECT_TRUE(EqualRect(&r, &expected));

    RECT apart;
    SetRect(&apart, 200, 200, 210, 210);
    EXPECT_FALSE(IntersectRect(&r, &a, &apart));
    EXPECT_TRUE(IsRectEmpty(&r));

    RECT leftHalf;
    SetRect(&leftHalf, -10, -10, 40, 60); // covers a's whole height on the left
    EXPECT_TRUE(SubtractRect(&r, &a, &leftHalf));
    SetRect(&expected, 40, 0, 100, 50);
    EXPECT_TRUE(EqualRect(&r, &expected));
    EXPECT_TRUE(SubtractRect(&r, &a, &b)); // a corner: a is left as it was
    EXPECT_TRUE(EqualRect(&r, &a));
    RECT all;
    SetRect(&all, -1, -1, 101, 51);
    EXPECT_FALSE(SubtractRect(&r, &a, &all));
}

TEST(Rectangles, PointsOnTheRightAndBottomEdgesAreOutside)
{
    RECT r;
    SetRect(&r, 10, 10, 20, 20);
    POINT inside = {10, 19}, right = {20, 15}, bottom = {15, 20};
    EXPECT_TRUE(PtInRect(&r, inside));
    EXPECT_FALSE(PtInRect(&r, right));
    EXPECT_FALSE(PtInRect(&r, bottom));
    OffsetRect(&r, 5, -5);
    InflateRect(&r, 2, 3);
    RECT expected = {13, 2, 27, 18};
    EXPECT_TRUE(EqualRect(&r, &expected));
    RECT copy;
    EXPECT_TRUE(CopyRect(&copy, &r));
    EXPECT_TRUE(EqualRect(&copy, &r));
    EXPECT_FALSE(CopyRect(&copy, nullptr));
    SetRectEmpty(&copy);
    EXPECT_TRUE(IsRectEmpty(&copy));
    EXPECT_TRUE(IsRectEmpty(nullptr));
}

TEST(CrtStrings, CaseBlindComparisonsAndCaseChanges)
{
    EXPECT_EQ(_stricmp("Level", "LEVEL"), 0);
    EXPECT_LT(_stricmp("apple", "Banana"), 0);
    EXPECT_EQ(_strnicmp("SAVE01.DAT", "save02.dat", 5), 0);
    EXPECT_NE(_strnicmp("SAVE01.DAT", "save02.dat", 6), 0);
    char text[] = "Data\\Scores.Dat";
    EXPECT_STREQ(_strupr(text), "DATA\\SCORES.DAT");
    EXPECT_STREQ(_strlwr(text), "data\\scores.dat");
    char* copy = _strdup(text);
    EXPECT_STREQ(copy, text);
    free(copy);
}

TEST(CrtStrings, SnprintfLeavesNoTerminatorWhenTheTextFillsTheBuffer)
{
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(_snprintf(buffer, 4, "%d", 12), 2);
    EXPECT_STREQ(buffer, "12");
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(_snprintf(buffer, 4, "%s", "abcd"), 4);
    EXPECT_EQ(std::memcmp(buffer, "abcd#", 5), 0);
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(_snprintf(buffer, 4, "%s", "abcdef"), -1);
    EXPECT_EQ(std::memcmp(buffer, "abcd#", 5), 0);
    const LONG minusOne = -1;
    EXPECT_EQ(_snprintf(buffer, sizeof buffer, "%ld", minusOne), 2);
    EXPECT_STREQ(buffer, "-1");
}

TEST(CrtStrings, NumbersToTextInEveryRadix)
{
    char buffer[40];
    EXPECT_STREQ(_itoa(-42, buffer, 10), "-42");
    EXPECT_STREQ(_itoa(-1, buffer, 16), "ffffffff");
    EXPECT_STREQ(_itoa(5, buffer, 2), "101");
    EXPECT_STREQ(_ltoa(-7, buffer, 10), "-7");
    EXPECT_STREQ(_ultoa(4294967295UL, buffer, 10), "4294967295");
    EXPECT_STREQ(_ultoa(35, buffer, 36), "z");
    char path[_MAX_PATH];
    EXPECT_EQ(sizeof path, static_cast<size_t>(MAX_PATH));
}
