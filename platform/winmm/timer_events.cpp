// timeSetEvent and timeKillEvent: every event of the process runs on one
// timer thread, started with the first event, as on Windows, so callbacks
// never overlap each other.  Where no thread starts (a page), the events run
// in the program's own turns instead, one at a time as well.
#include <vantrel/win32/synch.h>
#include <vantrel/win32/timing.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "platform/host/threads.h"
#include "platform/kernel/trace.h"

namespace {

using Clock = std::chrono::steady_clock;

// The longest delay timeGetDevCaps reports.
constexpr UINT kLongestDelay = 1000000;

struct TimerEvent {
    UINT delay;
    LPTIMECALLBACK callback;
    DWORD_PTR user;
    UINT flags;
    Clock::time_point due;
};

class TimerThread {
public:
    ~TimerThread()
    {
        vtl::host::removeTurnWork(turnWork_);
        std::unique_lock<std::mutex> lock(mutex_);
        if (!thread_.joinable())
            return;
        stopping_ = true;
        changed_.notify_all();
        lock.unlock();
        // A callback that ends the process runs on the thread itself.
        if (thread_.get_id() == std::this_thread::get_id())
            thread_.detach();
        else
            thread_.join();
    }

    // The event's id, or 0 where nothing would run it.
    UINT add(const TimerEvent& event)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!thread_.joinable() && !turnWork_ && !vtl::host::startThread(thread_, [this] { run(); })) {
            turnWork_ = vtl::host::addTurnWork([this] {
                std::unique_lock<std::mutex> locked(mutex_);
                return fireDue(locked);
            });
            if (!turnWork_)
                return 0;
        }
        do
            ++lastId_;
        while (lastId_ == 0 || events_.count(lastId_));
        events_[lastId_] = event;
        changed_.notify_all();
        return lastId_;
    }

    bool remove(UINT id)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        const auto found = events_.find(id);
        if (found == events_.end())
            return false;
        const bool waits = (found->second.flags & TIME_KILL_SYNCHRONOUS) != 0;
        events_.erase(found);
        changed_.notify_all();
        if (waits && !(calling_ && caller_ == std::this_thread::get_id()))
            returned_.wait(lock, [&] { return calling_ != id; });
        return true;
    }

private:
    void run()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!stopping_) {
            // A copy: the wait reads its deadline again after waking, when
            // timeKillEvent may have erased the event it came from.
            const Clock::time_point due = fireDue(lock);
            if (stopping_)
                break;
            if (due == Clock::time_point::max())
                changed_.wait(lock);
            else
                changed_.wait_until(lock, due);
        }
    }

    // Calls every event that is due by now, the lock released during each
    // call; returns when the next one is due (the far future: none is set).
    // An event falling due during the calls waits for the next look, so that
    // the program's turns end even when calls outlast their period.
    Clock::time_point fireDue(std::unique_lock<std::mutex>& lock)
    {
        const Clock::time_point start = Clock::now();
        while (!stopping_) {
            auto next = events_.end();
            for (auto e = events_.begin(); e != events_.end(); ++e)
                if (next == events_.end() || e->second.due < next->second.due)
                    next = e;
            if (next == events_.end())
                break;
            if (next->second.due > start)
                return next->second.due;
            const Clock::time_point now = Clock::now();
            const UINT id = next->first;
            const TimerEvent event = next->second;
            if (event.flags & TIME_PERIODIC) {
                // Due on the event's own beat; beats already missed are
                // skipped rather than run in a burst.
                const std::chrono::milliseconds period(event.delay);
                Clock::time_point due = event.due + period;
                if (due <= now)
                    due += (now - due) / period * period + period;
                next->second.due = due;
            }
            calling_ = id;
            caller_ = std::this_thread::get_id();
            lock.unlock();
            fire(id, event);
            lock.lock();
            calling_ = 0;
            // A one-shot event ends with its call, unless it was killed
            // from inside it (then the id may already be another event's).
            if (!(event.flags & TIME_PERIODIC)) {
                const auto still = events_.find(id);
                if (still != events_.end() && still->second.due == event.due)
                    events_.erase(still);
            }
            returned_.notify_all();
        }
        return Clock::time_point::max();
    }

    static void fire(UINT id, const TimerEvent& event)
    {
        const HANDLE signal = reinterpret_cast<HANDLE>(event.callback);
        if (event.flags & TIME_CALLBACK_EVENT_SET)
            SetEvent(signal);
        else if (event.flags & TIME_CALLBACK_EVENT_PULSE)
            PulseEvent(signal);
        else
            event.callback(id, 0, event.user, 0, 0);
    }

    std::mutex mutex_;
    std::condition_variable changed_;  // events added or removed, or stopping
    std::condition_variable returned_; // a call has returned
    std::map<UINT, TimerEvent> events_;
    UINT lastId_ = 0;
    UINT calling_ = 0; // the event whose call is running
    std::thread::id caller_; // the thread that runs it
    bool stopping_ = false;
    std::thread thread_;
    unsigned turnWork_ = 0; // the events run in the program's turns instead
};

TimerThread& timerThread()
{
    static TimerThread thread;
    return thread;
}

} // namespace

MMRESULT timeSetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags)
{
    VTL_TRACE(winmm, "timeSetEvent", delay, resolution, reinterpret_cast<const void*>(callback), user, flags);
    const UINT kinds = TIME_CALLBACK_EVENT_SET | TIME_CALLBACK_EVENT_PULSE;
    const UINT known = TIME_PERIODIC | kinds | TIME_KILL_SYNCHRONOUS;
    if (delay == 0 || delay > kLongestDelay || !callback || (flags & ~known) || (flags & kinds) == kinds)
        return vtlTraceCall_.result(MMRESULT(0));
    const TimerEvent event{delay, callback, user, flags, Clock::now() + std::chrono::milliseconds(delay)};
    return vtlTraceCall_.result(timerThread().add(event));
}

MMRESULT timeKillEvent(UINT timerId)
{
    VTL_TRACE(winmm, "timeKillEvent", timerId);
    return vtlTraceCall_.result(timerThread().remove(timerId) ? MMRESULT(MMSYSERR_NOERROR)
                                                                : MMRESULT(MMSYSERR_INVALPARAM));
}
