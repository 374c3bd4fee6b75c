// Clocks: the multimedia timer, the performance counter and the date.
//
// timeGetTime and GetTickCount count milliseconds on the same monotonic
// clock, wrapping every 49.7 days.  The performance counter ticks 10 000 000
// times a second (the frequency Windows reports on current machines).
#ifndef VANTREL_WIN32_TIMING_H
#define VANTREL_WIN32_TIMING_H

#include <vantrel/win32/types.h>

typedef UINT MMRESULT;

#define MMSYSERR_NOERROR 0
#define MMSYSERR_ERROR 1
#define MMSYSERR_BADDEVICEID 2
#define MMSYSERR_NOTENABLED 3
#define MMSYSERR_ALLOCATED 4
#define MMSYSERR_INVALHANDLE 5
#define MMSYSERR_NODRIVER 6
#define MMSYSERR_NOMEM 7
#define MMSYSERR_NOTSUPPORTED 8
#define MMSYSERR_INVALFLAG 10
#define MMSYSERR_INVALPARAM 11

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

// Timer events: callbacks on the process's one timer thread, in the order
// they fall due, one at a time, as Windows runs them.  A periodic event is
// due every `delay` ms from its start (a late call does not shift the next
// ones); a one-shot event ends after its call.  `resolution` is accepted and
// ignored: the timer thread is always as fine as the host's clock.  The id
// is never 0; 0 means the event was refused (a delay of 0 or above the
// maximum of timeGetDevCaps, an unknown kind, a null callback).
// timeKillEvent may be called from inside the callback; from another thread
// it returns at once unless TIME_KILL_SYNCHRONOUS was given to timeSetEvent,
// in which case it waits for a running call of that event to return.
typedef void(CALLBACK TIMECALLBACK)(UINT timerId, UINT message, DWORD_PTR user, DWORD_PTR reserved1,
                                    DWORD_PTR reserved2);
typedef TIMECALLBACK* LPTIMECALLBACK;

#define TIME_ONESHOT 0x0000
#define TIME_PERIODIC 0x0001
#define TIME_CALLBACK_FUNCTION 0x0000
#define TIME_CALLBACK_EVENT_SET 0x0010   // `callback` is an event: SetEvent
#define TIME_CALLBACK_EVENT_PULSE 0x0020 // `callback` is an event: PulseEvent
#define TIME_KILL_SYNCHRONOUS 0x0100

VANTREL_API MMRESULT timeSetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags);
// MMSYSERR_INVALPARAM for an id that is not running.
VANTREL_API MMRESULT timeKillEvent(UINT timerId);

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
