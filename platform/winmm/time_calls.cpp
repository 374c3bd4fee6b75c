// The multimedia timer calls.  They read the same monotonic clock as
// GetTickCount, so a game mixing the two sees one time.
#include <vantrel/win32/timing.h>

#include <chrono>

#include "platform/kernel/trace.h"

DWORD timeGetTime()
{
    VTL_TRACE0(frame, "timeGetTime");
    using namespace std::chrono;
    return vtlTraceCall_.result(static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count()));
}

MMRESULT timeBeginPeriod(UINT period)
{
    VTL_TRACE(winmm, "timeBeginPeriod", static_cast<int>(period));
    return vtlTraceCall_.result(period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR);
}

MMRESULT timeEndPeriod(UINT period)
{
    VTL_TRACE(winmm, "timeEndPeriod", static_cast<int>(period));
    return vtlTraceCall_.result(period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR);
}

MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size)
{
    VTL_TRACE(winmm, "timeGetDevCaps", caps, size);
    if (!caps || size < sizeof(TIMECAPS))
        return vtlTraceCall_.result(TIMERR_NOCANDO);
    caps->wPeriodMin = 1;
    caps->wPeriodMax = 1000000;
    return vtlTraceCall_.result(TIMERR_NOERROR);
}
