// Clocks: the multimedia timer, the performance counter and the date.
//
// timeGetTime and GetTickCount count milliseconds on the same monotonic
// clock, wrapping every 49.7 days.  The performance counter ticks 10 000 000
// times a second (the frequency Windows reports on current machines).
#ifndef VANTREL_WIN32_TIMING_H
#define VANTREL_WIN32_TIMING_H

#include <vantrel/win32/types.h>

typedef UINT MMRESULT;

#define TIMERR_NOERROR 0
#define TIMERR_NOCANDO 97

typedef struct timecaps_tag {
    UINT wPeriodMin;
    UINT wPeriodMax;
} TIMECAPS, *LPTIMECAPS;

VANTREL_API DWORD timeGetTime();
// The clock here is always as fine as one millisecond; the calls only check
// their argument (TIMERR_NOCANDO for 0), as the game's pacing relies on them
// succeeding.
VANTREL_API MMRESULT timeBeginPeriod(UINT period);
VANTREL_API MMRESULT timeEndPeriod(UINT period);
VANTREL_API MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size);

typedef union _LARGE_INTEGER {
    __extension__ struct {
        DWORD LowPart;
        LONG HighPart;
    };
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
} LARGE_INTEGER, *PLARGE_INTEGER;

VANTREL_API BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
VANTREL_API BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);

typedef struct _SYSTEMTIME {
    WORD wYear;
    WORD wMonth;     // 1 January .. 12
    WORD wDayOfWeek; // 0 Sunday .. 6
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

// Coordinated universal time, and the time in the host's time zone.
VANTREL_API void GetSystemTime(LPSYSTEMTIME time);
VANTREL_API void GetLocalTime(LPSYSTEMTIME time);

#endif
