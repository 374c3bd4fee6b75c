// wsprintfA and the lstr calls, against the Windows results games print and
// sort with.
#include <vantrel/win32/strings.h>

#include <gtest/gtest.h>

#include <string>

namespace {

template <class... Args>
std::string format(const char* f, Args... args)
{
    char buffer[1100];
    const int n = wsprintfA(buffer, f, args...);
    EXPECT_EQ(n, static_cast<int>(std::string(buffer).size()));
    return buffer;
}

} // namespace

TEST(Wsprintf, LongConversionsReadThirtyTwoBitsAsOnWindows)
{
    const DWORD all = 0xFFFFFFFF;
    const LONG minusOne = -1;
    // Each argument is read at its 32-bit size, so the one after it is
    // still in its place.
    EXPECT_EQ(format("%lu %s", all, "next"), "4294967295 next");
    EXPECT_EQ(format("%lX|%lx|%ld|%d", all, DWORD(0xBEEF), minusOne, 7), "FFFFFFFF|beef|-1|7");
    EXPECT_EQ(format("%hu %hd", 0x12345u, 0xFFFF), "9029 -1");
}

TEST(Wsprintf, FlagsWidthsAndPrecisions)
{
    EXPECT_EQ(format("%04d|%-4d|%4d|%.3d", 7, 7, -7, 7), "0007|7   |  -7|007");
    EXPECT_EQ(format("%#x %#X %08lX", 255, 255, DWORD(0xABC)), "0xff 0XFF 00000ABC");
    EXPECT_EQ(format("[%5s][%-5s][%.2s][%c]", "ab", "ab", "abcdef", 'Z'), "[   ab][ab   ][ab][Z]");
    EXPECT_EQ(format("100%% %s", static_cast<const char*>(nullptr)), "100% (null)");
}

TEST(Wsprintf, FloatsAreNotFormattedAndTheOutputStopsAt1024Characters)
{
    EXPECT_EQ(format("%f!"), "f!");
    const std::string longText(2000, 'x');
    char buffer[1100];
    EXPECT_EQ(wsprintfA(buffer, "%s", longText.c_str()), 1023);
    EXPECT_EQ(std::string(buffer), longText.substr(0, 1023));
}

TEST(Lstr, CopiesStopAtTheSizeAndAlwaysEndWithAZero)
{
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(lstrcpynA(buffer, "abcdefghij", 5), buffer);
    EXPECT_STREQ(buffer, "abcd");
    lstrcpyA(buffer, "ab");
    lstrcatA(buffer, "cd");
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_EQ(lstrlenA(buffer), 4);
    EXPECT_EQ(lstrlenA(nullptr), 0);
}

TEST(Lstr, ComparisonsSortLikeWordsNotBytes)
{
    EXPECT_LT(lstrcmpA("apple", "Banana"), 0); // bytes would put 'B' first
    EXPECT_LT(lstrcmpA("a", "A"), 0);          // case only breaks ties
    EXPECT_GT(lstrcmpA("Ab", "aa"), 0);
    EXPECT_EQ(lstrcmpA("same", "same"), 0);
    EXPECT_EQ(lstrcmpiA("HELLO", "hello"), 0);
    EXPECT_LT(lstrcmpiA("abc", "ABD"), 0);
    EXPECT_GT(lstrcmpA("abc", "ab"), 0);
}

TEST(CharUpper, ConvertsInPlaceOrASingleCharacterInThePointer)
{
    char text[] = "Level \xE9t\xE9 1";
    EXPECT_EQ(CharUpperA(text), text);
    EXPECT_STREQ(text, "LEVEL \xC9T\xC9 1");
    EXPECT_STREQ(CharLowerA(text), "level \xE9t\xE9 1");
    EXPECT_EQ(reinterpret_cast<uintptr_t>(CharUpperA(reinterpret_cast<LPSTR>(uintptr_t('q')))), uintptr_t('Q'));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(CharLowerA(reinterpret_cast<LPSTR>(uintptr_t(0xC0)))), uintptr_t(0xE0));
}
