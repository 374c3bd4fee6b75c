// The performance counter and the date.
#include <vantrel/win32/timing.h>

#include <chrono>
#include <ctime>
#include <mutex>

#include "platform/kernel/trace.h"

namespace {

constexpr LONGLONG kCounterFrequency = 10000000; // ticks of 100 ns

// Days since 1970-01-01 to a civil date (Howard Hinnant's algorithm), so
// universal time needs no time-zone call at all.
void civilFromDays(int64_t days, int* year, unsigned* month, unsigned* day)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    *day = dayOfYear - (153 * mp + 2) / 5 + 1;
    *month = mp < 10 ? mp + 3 : mp - 9;
    *year = static_cast<int>(yearOfEra + era * 400) + (*month <= 2);
}

} // namespace

BOOL QueryPerformanceCounter(LARGE_INTEGER* count)
{
    VTL_TRACE(frame, "QueryPerformanceCounter", count);
    if (!count)
        return vtlTraceCall_.result(FALSE);
    using namespace std::chrono;
    count->QuadPart = duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count() / 100;
    return vtlTraceCall_.result(TRUE);
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    VTL_TRACE(kernel, "QueryPerformanceFrequency", frequency);
    if (!frequency)
        return vtlTraceCall_.result(FALSE);
    frequency->QuadPart = kCounterFrequency;
    return vtlTraceCall_.result(TRUE);
}

void GetSystemTime(LPSYSTEMTIME time)
{
    VTL_TRACE(kernel, "GetSystemTime", time);
    if (!time)
        return;
    using namespace std::chrono;
    const int64_t ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const int64_t days = (ms >= 0 ? ms : ms - 86399999) / 86400000;
    const int64_t inDay = ms - days * 86400000;
    int year;
    unsigned month, day;
    civilFromDays(days, &year, &month, &day);
    time->wYear = static_cast<WORD>(year);
    time->wMonth = static_cast<WORD>(month);
    time->wDay = static_cast<WORD>(day);
    time->wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7); // 1970-01-01 was a Thursday
    time->wHour = static_cast<WORD>(inDay / 3600000);
    time->wMinute = static_cast<WORD>(inDay / 60000 % 60);
    time->wSecond = static_cast<WORD>(inDay / 1000 % 60);
    time->wMilliseconds = static_cast<WORD>(inDay % 1000);
}

void GetLocalTime(LPSYSTEMTIME time)
{
    VTL_TRACE(kernel, "GetLocalTime", time);
    if (!time)
        return;
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const int64_t ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    // std::localtime shares one result between threads.
    static std::mutex localtimeLock;
    std::lock_guard<std::mutex> hold(localtimeLock);
    const std::tm* local = std::localtime(&seconds);
    if (!local) {
        GetSystemTime(time);
        return;
    }
    time->wYear = static_cast<WORD>(local->tm_year + 1900);
    time->wMonth = static_cast<WORD>(local->tm_mon + 1);
    time->wDay = static_cast<WORD>(local->tm_mday);
    time->wDayOfWeek = static_cast<WORD>(local->tm_wday);
    time->wHour = static_cast<WORD>(local->tm_hour);
    time->wMinute = static_cast<WORD>(local->tm_min);
    time->wSecond = static_cast<WORD>(local->tm_sec);
    time->wMilliseconds = static_cast<WORD>(ms < 0 ? ms + 1000 : ms);
}
