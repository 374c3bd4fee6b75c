// The clocks a game paces itself with, and the date.
#include <vantrel/win32/timing.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <ctime>

TEST(Clocks, TimeGetTimeAndGetTickCountAreOneClockThatSleepAdvances)
{
    EXPECT_EQ(timeBeginPeriod(1), static_cast<MMRESULT>(TIMERR_NOERROR));
    const DWORD start = timeGetTime();
#ifndef _WIN32
    // The emulation's one clock: a tick count read between two readings of
    // the timer lies between them, however long the reads take on a busy
    // machine.  On Windows the tick count moves with the clock interrupt
    // (about 16 ms) and may lag the multimedia timer.
    const DWORD ticks = GetTickCount();
    const DWORD end = timeGetTime();
    EXPECT_LE(ticks - start, end - start);
#endif
    Sleep(30);
    EXPECT_GE(timeGetTime() - start, 30u);
    EXPECT_EQ(timeEndPeriod(1), static_cast<MMRESULT>(TIMERR_NOERROR));
    EXPECT_EQ(timeBeginPeriod(0), static_cast<MMRESULT>(TIMERR_NOCANDO));
}

TEST(Clocks, ThePerformanceCounterTicksTenMillionTimesASecond)
{
    LARGE_INTEGER frequency, before, after;
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(frequency.QuadPart, 10000000);
    ASSERT_TRUE(QueryPerformanceCounter(&before));
    Sleep(20);
    ASSERT_TRUE(QueryPerformanceCounter(&after));
    EXPECT_GE(after.QuadPart - before.QuadPart, 200000);
    // The halves a game of the era read are the same number.
    EXPECT_EQ(after.LowPart, static_cast<DWORD>(after.QuadPart));
    EXPECT_EQ(after.HighPart, static_cast<LONG>(after.QuadPart >> 32));
}

TEST(Clocks, SystemAndLocalTimeAgreeWithTheCalendarOfTheHost)
{
    SYSTEMTIME utc, local;
    const std::time_t now = std::time(nullptr);
    GetSystemTime(&utc);
    GetLocalTime(&local);
    const std::tm expectedUtc = *std::gmtime(&now);
    const std::tm expectedLocal = *std::localtime(&now);
    // Compared to the minute, so a second ticking over between the calls
    // matters only on a minute's edge.
    if (utc.wSecond == 0)
        GTEST_SKIP() << "on a minute's edge";
    EXPECT_EQ(utc.wYear, expectedUtc.tm_year + 1900);
    EXPECT_EQ(utc.wMonth, expectedUtc.tm_mon + 1);
    EXPECT_EQ(utc.wDay, expectedUtc.tm_mday);
    EXPECT_EQ(utc.wDayOfWeek, expectedUtc.tm_wday);
    EXPECT_EQ(utc.wHour, expectedUtc.tm_hour);
    EXPECT_EQ(utc.wMinute, expectedUtc.tm_min);
    EXPECT_LT(utc.wMilliseconds, 1000);
    EXPECT_EQ(local.wDay, expectedLocal.tm_mday);
    EXPECT_EQ(local.wHour, expectedLocal.tm_hour);
    EXPECT_EQ(local.wMinute, expectedLocal.tm_min);
}
