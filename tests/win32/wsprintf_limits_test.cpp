// wsprintfA at its edges: text that is only as long as its precision, and
// widths far past the 1024 characters the call ever writes.
#include <vantrel/win32/strings.h>

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>

TEST(Wsprintf, APrecisionReadsNoFurtherThanItsCount)
{
    // Four letters at the very end of a readable page, an unreadable one
    // after them: reading a fifth byte would fault.
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    char* pages = static_cast<char*>(mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(pages, MAP_FAILED);
    ASSERT_EQ(mprotect(pages + page, page, PROT_NONE), 0);
    char* name = pages + page - 4;
    std::memcpy(name, "WXYZ", 4);
    char buffer[64];
    EXPECT_EQ(wsprintfA(buffer, "[%.4s][%-6.3s][%.9s]", name, name, "ab"), 18);
    EXPECT_STREQ(buffer, "[WXYZ][WXY   ][ab]");
    munmap(pages, 2 * page);
}

TEST(Wsprintf, HugeWidthsAndPrecisionsStopAtTheLimitAtOnce)
{
    char buffer[1100];
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(wsprintfA(buffer, "%2000000000d", 5), 1023);
        ASSERT_EQ(std::string(buffer), std::string(1023, ' '));
        ASSERT_EQ(wsprintfA(buffer, "ab%-2147483647sz", "x"), 1023);
        ASSERT_EQ(std::string(buffer), "abx" + std::string(1020, ' '));
        ASSERT_EQ(wsprintfA(buffer, "%.2000000000u", 7u), 1023);
        ASSERT_EQ(std::string(buffer), std::string(1023, '0'));
    }
    // A filled buffer ends the call, however much padding is still owed.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
}
