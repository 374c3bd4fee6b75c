// FILETIME, the system time and the local time, converted as Windows does.
#include <vantrel/win32/file_system.h>

#include "platform/kernel/trace.h"

#include <chrono>
#include <ctime>

namespace {

constexpr uint64_t kTicksPerMs = 10000;
constexpr uint64_t kTicksPerDay = 86400ull * 1000 * kTicksPerMs;
// FILETIME counts from 1601-01-01; Windows refuses values with the top bit
// set, which are past the year 30827.
constexpr uint64_t kLargestFileTime = 0x7FFFFFFFFFFFFFFFull;

uint64_t ticksOf(const FILETIME* t) { return (static_cast<uint64_t>(t->dwHighDateTime) << 32) | t->dwLowDateTime; }

FILETIME fileTimeOf(uint64_t ticks) { return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}; }

// Days since 1601-01-01 of a civil date, and back (the proleptic Gregorian
// calendar, as Windows counts).
int64_t daysFromCivil(int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468 + 134774; // 134774: 1601 to 1970
}

void civilFromDays(int64_t days, int64_t* year, unsigned* month, unsigned* day)
{
    days += 719468 - 134774;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    *day = dayOfYear - (153 * mp + 2) / 5 + 1;
    *month = mp < 10 ? mp + 3 : mp - 9;
    *year = static_cast<int64_t>(yearOfEra) + era * 400 + (*month <= 2);
}

bool leap(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The host's offset from universal time now, in ticks.
int64_t localOffsetTicks()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<int64_t>(local.tm_gmtoff) * 10000000;
}

} // namespace

BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime)
{
    VTL_TRACE(kernel, "FileTimeToSystemTime", fileTime, systemTime);
    if (!fileTime || !systemTime || ticksOf(fileTime) > kLargestFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    const uint64_t ticks = ticksOf(fileTime);
    const uint64_t days = ticks / kTicksPerDay;
    const uint64_t ms = (ticks % kTicksPerDay) / kTicksPerMs;
    int64_t year;
    unsigned month, day;
    civilFromDays(static_cast<int64_t>(days), &year, &month, &day);
    systemTime->wYear = static_cast<WORD>(year);
    systemTime->wMonth = static_cast<WORD>(month);
    systemTime->wDay = static_cast<WORD>(day);
    systemTime->wDayOfWeek = static_cast<WORD>((days + 1) % 7); // 1601-01-01 was a Monday
    systemTime->wHour = static_cast<WORD>(ms / 3600000);
    systemTime->wMinute = static_cast<WORD>(ms / 60000 % 60);
    systemTime->wSecond = static_cast<WORD>(ms / 1000 % 60);
    systemTime->wMilliseconds = static_cast<WORD>(ms % 1000);
    return vtlTraceCall_.result(TRUE);
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime)
{
    VTL_TRACE(kernel, "SystemTimeToFileTime", systemTime, fileTime);
    static const unsigned kDaysIn[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    // The day of the week is ignored; every other field must be in range.
    const SYSTEMTIME* t = systemTime;
    if (!t || !fileTime || t->wYear < 1601 || t->wYear > 30827 || t->wMonth < 1 || t->wMonth > 12 || t->wDay < 1 ||
        t->wDay > kDaysIn[t->wMonth - 1] + (t->wMonth == 2 && leap(t->wYear)) || t->wHour > 23 || t->wMinute > 59 ||
        t->wSecond > 59 || t->wMilliseconds > 999) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    const uint64_t days = static_cast<uint64_t>(daysFromCivil(t->wYear, t->wMonth, t->wDay));
    const uint64_t ms = ((t->wHour * 60ull + t->wMinute) * 60 + t->wSecond) * 1000 + t->wMilliseconds;
    *fileTime = fileTimeOf(days * kTicksPerDay + ms * kTicksPerMs);
    return vtlTraceCall_.result(TRUE);
}

BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localTime)
{
    VTL_TRACE(kernel, "FileTimeToLocalFileTime", fileTime, localTime);
    if (!fileTime || !localTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    *localTime = fileTimeOf(ticksOf(fileTime) + static_cast<uint64_t>(localOffsetTicks()));
    return vtlTraceCall_.result(TRUE);
}

BOOL LocalFileTimeToFileTime(const FILETIME* localTime, LPFILETIME fileTime)
{
    VTL_TRACE(kernel, "LocalFileTimeToFileTime", localTime, fileTime);
    if (!fileTime || !localTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    *fileTime = fileTimeOf(ticksOf(localTime) - static_cast<uint64_t>(localOffsetTicks()));
    return vtlTraceCall_.result(TRUE);
}

LONG CompareFileTime(const FILETIME* first, const FILETIME* second)
{
    VTL_TRACE(kernel, "CompareFileTime", first, second);
    // Windows compares a null time as the earliest of all.
    const uint64_t a = first ? ticksOf(first) : 0;
    const uint64_t b = second ? ticksOf(second) : 0;
    if (!first || !second)
        return vtlTraceCall_.result(static_cast<LONG>(first ? 1 : second ? -1 : 0));
    return vtlTraceCall_.result(static_cast<LONG>(a < b ? -1 : a > b ? 1 : 0));
}

void GetSystemTimeAsFileTime(LPFILETIME time)
{
    VTL_TRACE(kernel, "GetSystemTimeAsFileTime", time);
    if (!time)
        return;
    using namespace std::chrono;
    const int64_t unixTicks = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count() / 100;
    *time = fileTimeOf(static_cast<uint64_t>(unixTicks + 116444736000000000LL));
}
