// SetTimer and KillTimer.  A timer belongs to the thread that set it and is
// read from its queue as WM_TIMER (see message_queue.cpp).
//
// Choices where the interface leaves room: intervals below 10 ms are raised
// to 10 ms, as the system does; SetTimer on a window with id 0 makes a new,
// unused nonzero id and returns it, so that KillTimer with the returned id
// always stops it.
#include "platform/user/message_queue.h"
#include "platform/user/user_testing.h"

#include <algorithm>

using vtl::testing::user::Op;

using namespace vtl;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC proc)
{
    if (hwnd) {
        WindowRef w = lookupWindow(hwnd);
        if (!w || !onOwnThread(*w)) {
            setError(kErrorInvalidWindowHandle);
            return 0;
        }
    }
    if (testing::user::intercept(Op::SetTimer))
        return 0;
    ThreadQueue& q = *currentQueue();
    UINT interval = std::max<UINT>(milliseconds, 10u);
    interval = std::min<UINT>(interval, 0x7FFFFFFFu);
    Timer* existing = nullptr;
    if (id != 0 || !hwnd) {
        for (Timer& t : q.timers) {
            if (t.hwnd == hwnd && t.id == id && id != 0)
                existing = &t;
        }
    }
    if (!existing) {
        if (id == 0) {
            // A fresh id, unused by this thread's timers.
            for (;;) {
                id = q.nextTimerId++;
                if (id == 0)
                    continue;
                bool used = std::any_of(q.timers.begin(), q.timers.end(),
                                        [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
                if (!used)
                    break;
            }
        }
        q.timers.push_back(Timer{hwnd, id, std::chrono::milliseconds(0), Clock::time_point(), nullptr});
        existing = &q.timers.back();
    }
    existing->interval = std::chrono::milliseconds(interval);
    existing->due = Clock::now() + existing->interval;
    existing->proc = proc;
    std::lock_guard<std::mutex> lock(q.mutex);
    ++q.sequence; // a waiting reader recomputes its deadline
    return id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    if (testing::user::intercept(Op::KillTimer))
        return FALSE;
    ThreadQueue& q = *currentQueue();
    for (auto it = q.timers.begin(); it != q.timers.end(); ++it) {
        if (it->hwnd == hwnd && it->id == id) {
            q.timers.erase(it);
            return TRUE;
        }
    }
    setError(hwnd && !lookupWindow(hwnd) ? kErrorInvalidWindowHandle : 1402u /* invalid timer id */);
    return FALSE;
}
