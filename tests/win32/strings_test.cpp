// wsprintfA and the lstr calls, against the Windows results games print and
// sort with.
#include <vantrel/win32/strings.h>

#include "support/wine.h"

#include <gtest/gtest.h>

#include <cwchar>
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
}

TEST(Wsprintf, ShortConversionsPrintSixteenBits)
{
    if (runningUnderWine())
        GTEST_SKIP() << "Wine's wsprintfA reads h before a number as nothing and prints all 32 bits";
    EXPECT_EQ(format("%hu %hd", 0x12345u, 0xFFFF), "9029 -1");
}

TEST(Wsprintf, FlagsWidthsAndPrecisions)
{
    EXPECT_EQ(format("%04d|%-4d|%4d|%.3d", 7, 7, -7, 7), "0007|7   |  -7|007");
    EXPECT_EQ(format("%#x %#X %08lX", 255, 255, DWORD(0xABC)), "0xff 0XFF 00000ABC");
    EXPECT_EQ(format("[%5s][%-5s][%.2s][%c]", "ab", "ab", "abcdef", 'Z'), "[   ab][ab   ][ab][Z]");
    EXPECT_EQ(format("100%% %s", static_cast<const char*>(nullptr)), "100% (null)");
}

TEST(Wsprintf, WideTextComesOutInTheAnsiCodePage)
{
#ifdef _WIN32
    if (GetACP() != 1252)
        GTEST_SKIP() << "the expected bytes are Windows-1252's; this system's ANSI code page is " << GetACP();
#endif
    // l (or S, C) before text means wide; h before S makes it narrow again.
    EXPECT_EQ(format("%ls|%S|%hS|%-4ls|%.1S", L"\u20ac\u00e9", L"ab", "narrow", L"x", L"yz"),
              "\x80\xe9|ab|narrow|x   |y");
    EXPECT_EQ(format("%lc%C|%ls", static_cast<wint_t>(L'\u00e9'), static_cast<wint_t>(L'Q'),
                     static_cast<const wchar_t*>(nullptr)),
              "\xe9Q|(null)");
}

TEST(Wsprintf, FloatsAreNotFormatted)
{
    EXPECT_EQ(format("%f!"), "f!");
}

TEST(Wsprintf, TheOutputStopsAt1024CharactersWithItsZero)
{
    // The result counts the characters stored, the zero left out.
    if (runningUnderWine())
        GTEST_SKIP() << "Wine's wsprintfA stores 1023 characters of a longer text but returns 1024";
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

TEST(Lstr, PunctuationSortsBeforeDigitsAndDigitsBeforeLetters)
{
    // Bytes would put '[' '_' '{' and '~' between or after the letters.
    for (const char* symbol : {"!", "#", ".", "/", "@", "[", "\\", "_", "`", "{", "~", "+", "=", " "}) {
        EXPECT_LT(lstrcmpA(symbol, "0"), 0) << symbol;
        EXPECT_LT(lstrcmpiA(symbol, "a"), 0) << symbol;
    }
    EXPECT_LT(lstrcmpA("9", "a"), 0);
    EXPECT_LT(lstrcmpA("9", "A"), 0);
    EXPECT_GT(lstrcmpA("EndDialog", "_Property"), 0);
    EXPECT_GT(lstrcmpA("osp_vba.sreg0070", "_IEWWBrowserComp"), 0);
    EXPECT_GT(lstrcmpA("r", "\\"), 0);
    EXPECT_LT(lstrcmpiA("#", "."), 0);
    EXPECT_GT(lstrcmpA("_", "."), 0);
    EXPECT_LT(lstrcmpA("/m", "`o"), 0);
    EXPECT_LT(lstrcmpA("~", "+"), 0); // the arithmetic signs come last
    EXPECT_LT(lstrcmpA("level_", "level9"), 0);
}

TEST(Lstr, ApostrophesAndHyphensInsideWordsCountOnlyToBreakTies)
{
    // "coop" and "co-op" sort together: the hyphen is passed over first.
    EXPECT_LT(lstrcmpA("coop", "co-op"), 0);
    EXPECT_LT(lstrcmpA("co-op", "cork"), 0);
    EXPECT_LT(lstrcmpA("co_op", "co-op"), 0); // the underscore is a symbol like any other
    EXPECT_LT(lstrcmpA("co_op", "coat"), 0);
    EXPECT_LT(lstrcmpA("were", "we're"), 0);
    EXPECT_GT(lstrcmpA("we're", "went"), 0);
    EXPECT_GT(lstrcmpA("a-c", "ab"), 0); // bytes would put '-' first
    EXPECT_GT(lstrcmpA("car's", "carps"), 0);
    EXPECT_LT(lstrcmpA("car's", "car-s"), 0);
    EXPECT_LT(lstrcmpA("'o", "-o"), 0);
    EXPECT_LT(lstrcmpA("'", "-"), 0);
    EXPECT_LT(lstrcmpA("`o", "-m"), 0);
    EXPECT_GT(lstrcmpA("-m", "`o"), 0);
    // lstrcmpi sorts the same words, only blind to case.
    EXPECT_LT(lstrcmpiA("COOP", "co-op"), 0);
    EXPECT_GT(lstrcmpiA("A-C", "ab"), 0);
    EXPECT_EQ(lstrcmpiA("Co-Op", "cO-oP"), 0);
}

TEST(Lstr, AccentsAndCaseOnlyBreakTiesAndNullSortsFirst)
{
    EXPECT_LT(lstrcmpA("cote", "c\xF4te"), 0);
    EXPECT_LT(lstrcmpA("c\xF4te", "coter"), 0); // bytes would put 0xF4 after every letter
    EXPECT_GT(lstrcmpA("\xE9t\xE9", "Ete"), 0); // the accent outweighs the case
    EXPECT_GT(lstrcmpA("\xE9t\xE9", "ete"), 0);
    EXPECT_LT(lstrcmpA("\xC9T\xC9", "f"), 0);
    EXPECT_EQ(lstrcmpiA("\xE9T\xC9", "\xC9t\xE9"), 0);
    EXPECT_GT(lstrcmpA("AAA", "aaa"), 0);
    EXPECT_LT(lstrcmpA("Aaa", "aab"), 0); // case waits for the letters
    EXPECT_EQ(lstrcmpA(nullptr, nullptr), 0);
    EXPECT_EQ(lstrcmpA("", nullptr), 1);
    EXPECT_EQ(lstrcmpA(nullptr, ""), -1);
    EXPECT_EQ(lstrcmpiA("", nullptr), 1);
    EXPECT_EQ(lstrcmpiA(nullptr, "a"), -1);
    EXPECT_EQ(lstrcmpA("", ""), 0);
}

TEST(Lstr, ThornFollowsZ)
{
    if (runningUnderWine())
        GTEST_SKIP() << "Wine's sort table puts thorn before z";
    EXPECT_LT(lstrcmpA("z", "\xFE"), 0);
    EXPECT_LT(lstrcmpA("Z", "\xDE"), 0);
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
