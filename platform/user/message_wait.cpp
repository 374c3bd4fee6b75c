// The time and place of the last message read, and waiting for kernel
// objects and messages at once.
//
// MsgWaitForMultipleObjects wakes for posted, sent and input messages that
// arrived since the thread last read its queue (GetMessage or PeekMessage),
// as Windows does, and at once for a window that needs painting or a timer
// that is due.  The kernel's objects are waited on by another mechanism than
// the queue, so while both are waited on the objects are looked at every
// couple of milliseconds: a signal ends the wait that much later than on
// Windows, a message at once.
#include <vantrel/win32/synch.h>
#include <vantrel/win32/window_calls.h>

#include "platform/user/input_events.h"
#include "platform/user/message_queue.h"
#include "platform/user/message_reading.h"
#include "platform/user/video_backend.h"

#include "platform/host/waiting.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <algorithm>

namespace vtl {
namespace {

struct LastRead {
    DWORD time = 0;
    POINT pt = {0, 0};
    uint64_t sequence = 0;
};

LastRead& lastRead()
{
    thread_local LastRead last;
    return last;
}

DWORD kindOf(const MSG& m, bool input)
{
    if (!input)
        return m.message == WM_HOTKEY ? QS_HOTKEY : QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
    if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST)
        return QS_KEY;
    return m.message == WM_MOUSEMOVE ? QS_MOUSEMOVE : QS_MOUSEBUTTON;
}

// The kinds in `mask` the queue holds for the wait to end.
bool queueWakes(DWORD mask)
{
    ThreadQueue& q = *currentQueue();
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        Clock::time_point now = Clock::now();
        if ((mask & QS_TIMER) && std::any_of(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return t.due <= now; }))
            return true;
        if (q.sequence != lastRead().sequence) {
            DWORD present = q.sent.empty() ? 0 : QS_SENDMESSAGE;
            if (q.quit)
                present |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
            for (const MSG& m : q.posted)
                present |= kindOf(m, false);
            for (const MSG& m : q.input)
                present |= kindOf(m, true);
            if (present & mask)
                return true;
        }
    }
    if (mask & QS_PAINT) {
        for (const WindowRef& w : allWindows()) {
            if (onOwnThread(*w) && w->needsPaint && (w->style & WS_VISIBLE) && !w->destroying)
                return true;
        }
    }
    return false;
}

} // namespace

void noteQueueRead(uint64_t sequence, const MSG* taken)
{
    LastRead& last = lastRead();
    last.sequence = sequence;
    if (taken) {
        last.time = taken->time;
        last.pt = taken->pt;
    }
}

} // namespace vtl

using namespace vtl;

LONG GetMessageTime()
{
    VTL_TRACE0(user, "GetMessageTime");
    return vtlTraceCall_.result(static_cast<LONG>(lastRead().time));
}

DWORD GetMessagePos()
{
    VTL_TRACE0(user, "GetMessagePos");
    const POINT pt = lastRead().pt;
    return vtlTraceCall_.result(static_cast<DWORD>(MAKELONG(pt.x, pt.y)));
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds, DWORD wakeMask)
{
    VTL_TRACE(user, "MsgWaitForMultipleObjects", count, handles, waitAll, milliseconds, wakeMask);
    if (count >= MAXIMUM_WAIT_OBJECTS || (count && !handles)) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(WAIT_FAILED);
    }
    const bool forever = milliseconds == INFINITE;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : milliseconds);
    ThreadQueue& q = *currentQueue();
    for (;;) {
        if (VideoBackend* backend = existingVideoBackend())
            backend->pump();
        const uint64_t seen = queueSequence();
        const bool message = queueWakes(wakeMask);
        if (count) {
            // With waitAll the objects and a message are wanted together,
            // so the objects are taken only when the message is there.
            if (!waitAll || message) {
                const DWORD r = WaitForMultipleObjects(count, handles, waitAll, 0);
                if (r == WAIT_FAILED)
                    return vtlTraceCall_.result(WAIT_FAILED);
                if (r != WAIT_TIMEOUT)
                    return vtlTraceCall_.result(r);
            }
        }
        if (message && !waitAll)
            return vtlTraceCall_.result(WAIT_OBJECT_0 + count);
        if (count == 0 && message)
            return vtlTraceCall_.result(WAIT_OBJECT_0);
        const Clock::time_point now = Clock::now();
        if (!forever && now >= deadline)
            return vtlTraceCall_.result(WAIT_TIMEOUT);
        Clock::time_point until = forever ? now + std::chrono::hours(1) : deadline;
        VideoBackend* backend = existingVideoBackend();
        if (count || (backend && backend->needsPolling()))
            until = std::min(until, now + std::chrono::milliseconds(2));
        std::unique_lock<std::mutex> lock(q.mutex);
        for (const Timer& t : q.timers)
            until = std::min(until, t.due);
        while (q.sequence == seen && Clock::now() < until)
            if (!host::waitUntil(q.wake, lock, until))
                break;
    }
}
