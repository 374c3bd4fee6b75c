// SetTimer and KillTimer.  A window's timer belongs to the window's thread,
// whichever thread of the process sets or kills it, and a timer of no window
// to the thread that set it; it is read from that thread's queue as
// WM_TIMER (see message_queue.cpp).
//
// Intervals below 10 ms are raised to 10 ms, as the system does.  A window's
// timer keeps the id it was given, 0 included: SetTimer then returns 1 (its
// "succeeded"), as Windows does, and only KillTimer(hwnd, 0) stops it.  A
// timer of no window gets a fresh nonzero id, which SetTimer returns.
#include "platform/user/message_queue.h"
#include "platform/user/user_testing.h"
#include "platform/kernel/trace.h"

#include "platform/kernel/last_error.h"

#include <algorithm>

using vtl::testing::user::Op;

using namespace vtl;

namespace {

// The queue a timer of `hwnd` lives in: the window's thread's, for a
// window of another thread too (its thread reads the WM_TIMER); the calling
// thread's for a timer of no window.  Null, with the error set, for a
// handle that is not a window.
std::shared_ptr<ThreadQueue> timerQueue(HWND hwnd)
{
    if (!hwnd)
        return currentQueue();
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return w->queue;
}

} // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC proc)
{
    VTL_TRACE(user, "SetTimer", hwnd, id, milliseconds, proc);
    std::shared_ptr<ThreadQueue> queue = timerQueue(hwnd);
    if (!queue)
        return vtlTraceCall_.result(0);
    if (testing::user::intercept(Op::SetTimer))
        return vtlTraceCall_.result(0);
    ThreadQueue& q = *queue;
    UINT interval = std::max<UINT>(milliseconds, 10u);
    interval = std::min<UINT>(interval, 0x7FFFFFFFu);
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        Timer* existing = nullptr;
        if (id != 0 || hwnd) {
            for (Timer& t : q.timers) {
                if (t.hwnd == hwnd && t.id == id)
                    existing = &t;
            }
        }
        if (!existing) {
            if (id == 0 && !hwnd) {
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
        ++q.sequence; // a waiting reader recomputes its deadline
    }
    q.wake.notify_all();
    return vtlTraceCall_.result(id != 0 ? id : 1);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    VTL_TRACE(user, "KillTimer", hwnd, id);
    if (testing::user::intercept(Op::KillTimer))
        return vtlTraceCall_.result(FALSE);
    std::shared_ptr<ThreadQueue> queue = timerQueue(hwnd);
    if (!queue)
        return vtlTraceCall_.result(FALSE);
    ThreadQueue& q = *queue;
    std::lock_guard<std::mutex> lock(q.mutex);
    for (auto it = q.timers.begin(); it != q.timers.end(); ++it) {
        if (it->hwnd == hwnd && it->id == id) {
            q.timers.erase(it);
            return vtlTraceCall_.result(TRUE);
        }
    }
    setError(1402u); // invalid timer id
    return vtlTraceCall_.result(FALSE);
}
