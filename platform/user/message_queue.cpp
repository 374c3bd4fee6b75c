// The per-thread message queue: posting, sending, reading and dispatching.
//
// Messages come out in the order the system this interface comes from uses:
// messages sent by other threads are run first, then posted messages, then
// WM_QUIT once no posted message is left, then keyboard and mouse input
// (after every posted message, even one posted later), then
// WM_PAINT for windows whose update region is not empty, then WM_TIMER.
// Paint and timer messages are made when read, never queued, so a slow game
// sees one WM_TIMER per timer however late it is, not a backlog, and
// WM_PAINT comes until the window validates its region (painting.cpp).
#include "platform/user/message_queue.h"

#include "platform/user/input_events.h"
#include "platform/user/message_reading.h"
#include "platform/user/remote_windows.h"
#include "platform/user/set_cursor_message.h"
#include "platform/user/user_size_move.h"
#include "platform/user/video_backend.h"
#include "platform/user/window_observers.h"
#include "platform/kernel/trace.h"
#include "platform/host/waiting.h"

#include "platform/kernel/last_error.h"

#include <time.h>

#include <algorithm>

namespace vtl {

namespace {

// Answers a message another thread is waiting on.  The sender may return and
// end the moment `done` is set, taking its queue with it: hold the queue
// until it has been woken.
void answer(SentMessage* s, LRESULT result, bool failed)
{
    std::shared_ptr<ThreadQueue> sender = s->sender;
    {
        std::lock_guard<std::mutex> lock(sender->mutex);
        s->result = result;
        s->failed = failed;
        s->done = true;
    }
    sender->wake.notify_all();
}

// Owns a thread's queue; when the thread ends, closes the queue and answers
// the messages still waiting in it, whose senders would otherwise wait for
// ever.
struct QueueOwner {
    std::shared_ptr<ThreadQueue> queue;

    QueueOwner() : queue(std::make_shared<ThreadQueue>()) { queue->thread = std::this_thread::get_id(); }

    ~QueueOwner()
    {
        std::deque<SentMessage*> waiting;
        {
            std::lock_guard<std::mutex> lock(queue->mutex);
            queue->closed = true;
            queue->posted.clear();
            queue->input.clear();
            waiting.swap(queue->sent);
        }
        for (SentMessage* s : waiting)
            answer(s, 0, true);
    }
};

} // namespace

const std::shared_ptr<ThreadQueue>& currentQueue()
{
    thread_local QueueOwner owner;
    return owner.queue;
}

bool onOwnThread(const Window& w) { return w.queue.get() == currentQueue().get(); }

DWORD tickCount()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<DWORD>(static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}

bool postTo(ThreadQueue& queue, const MSG& msg)
{
    {
        std::lock_guard<std::mutex> lock(queue.mutex);
        if (queue.closed)
            return false;
        queue.posted.push_back(msg);
        ++queue.sequence;
    }
    queue.wake.notify_all();
    return true;
}

bool postInput(ThreadQueue& queue, const MSG& msg)
{
    {
        std::lock_guard<std::mutex> lock(queue.mutex);
        if (queue.closed)
            return false;
        queue.input.push_back(msg);
        ++queue.sequence;
    }
    queue.wake.notify_all();
    return true;
}

bool requestQuit(ThreadQueue& queue, WPARAM code)
{
    {
        std::lock_guard<std::mutex> lock(queue.mutex);
        if (queue.closed)
            return false;
        queue.quit = true;
        queue.quitCode = code;
        ++queue.sequence;
    }
    queue.wake.notify_all();
    return true;
}

LRESULT deliver(const WindowRef& window, UINT message, WPARAM wParam, LPARAM lParam)
{
    notifyWindowObservers(window->handle, message, wParam, lParam);
    WNDPROC proc = window->proc;
    if (!proc)
        return DefWindowProcA(window->handle, message, wParam, lParam);
    return proc(window->handle, message, wParam, lParam);
}

void forgetWindow(ThreadQueue& queue, HWND hwnd)
{
    std::lock_guard<std::mutex> lock(queue.mutex);
    // The first WM_QUIT still queued for the window outlives it as the
    // thread's quit request: it comes out once, for no window and with
    // lParam 0 (a procedure that posts it in WM_CLOSE and then destroys its
    // window still ends its loop).
    auto quit = std::find_if(queue.posted.begin(), queue.posted.end(),
                             [hwnd](const MSG& m) { return m.hwnd == hwnd && m.message == WM_QUIT; });
    if (quit != queue.posted.end() && !queue.quit) {
        queue.quit = true;
        queue.quitCode = quit->wParam;
        ++queue.sequence;
    }
    for (std::deque<MSG>* d : {&queue.posted, &queue.input})
        d->erase(std::remove_if(d->begin(), d->end(), [hwnd](const MSG& m) { return m.hwnd == hwnd; }), d->end());
    queue.timers.erase(std::remove_if(queue.timers.begin(), queue.timers.end(),
                                      [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
                       queue.timers.end());
    queue.wake.notify_all();
}

void runSentMessages()
{
    ThreadQueue& q = *currentQueue();
    for (;;) {
        SentMessage* s;
        {
            std::lock_guard<std::mutex> lock(q.mutex);
            if (q.sent.empty())
                return;
            s = q.sent.front();
            q.sent.pop_front();
        }
        WindowRef w = lookupWindow(s->msg.hwnd);
        answer(s, w ? deliver(w, s->msg.message, s->msg.wParam, s->msg.lParam) : 0, false);
    }
}

namespace {

bool inRange(UINT message, UINT first, UINT last)
{
    if (first == 0 && last == 0)
        return true;
    return message >= first && message <= last;
}

// (HWND)-1 and (HWND)1 both ask for the thread's own messages, those for no
// window.
bool threadMessagesOnly(HWND hwnd) { return hwnd == reinterpret_cast<HWND>(-1) || hwnd == reinterpret_cast<HWND>(1); }

bool matches(const MSG& m, HWND hwnd, UINT first, UINT last)
{
    if (threadMessagesOnly(hwnd)) {
        if (m.hwnd)
            return false;
    } else if (hwnd && !isSelfOrDescendant(m.hwnd, hwnd)) {
        return false;
    }
    return inRange(m.message, first, last);
}

void pumpBackend()
{
    if (VideoBackend* backend = existingVideoBackend())
        backend->pump();
    closeQuietSizeMoves();
}

bool visibleOnScreen(const Window& w)
{
    if (!(w.style & WS_VISIBLE) || (w.style & WS_MINIMIZE))
        return false;
    for (HWND up = w.parent; up;) {
        WindowRef p = lookupWindow(up);
        if (!p || !(p->style & WS_VISIBLE))
            return false;
        up = p->parent;
    }
    return true;
}

bool takePaint(MSG* out, HWND hwnd, UINT first, UINT last)
{
    if (!inRange(WM_PAINT, first, last))
        return false;
    for (const WindowRef& w : allWindows()) {
        if (!onOwnThread(*w) || !w->needsPaint || w->destroying || !visibleOnScreen(*w))
            continue;
        if (hwnd && !isSelfOrDescendant(w->handle, hwnd))
            continue;
        // Taking it leaves the region invalid: only validating it ends the
        // WM_PAINT messages.
        *out = MSG{w->handle, WM_PAINT, 0, 0, tickCount(), lastCursorPos()};
        return true;
    }
    return false;
}

bool takeTimer(ThreadQueue& q, MSG* out, HWND hwnd, UINT first, UINT last, bool remove)
{
    if (!inRange(WM_TIMER, first, last))
        return false;
    std::lock_guard<std::mutex> lock(q.mutex);
    Clock::time_point now = Clock::now();
    Timer* best = nullptr;
    for (Timer& t : q.timers) {
        if (t.due > now)
            continue;
        if (hwnd && !(threadMessagesOnly(hwnd) ? t.hwnd == nullptr : isSelfOrDescendant(t.hwnd, hwnd)))
            continue;
        if (!best || t.due < best->due)
            best = &t;
    }
    if (!best)
        return false;
    *out = MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), tickCount(), lastCursorPos()};
    if (remove) {
        // Keep the phase of the first tick: the next one is due a whole
        // number of intervals after it, skipping ticks that were missed.
        best->due += best->interval;
        if (best->due <= now) {
            auto behind = (now - best->due) / best->interval + 1;
            best->due += best->interval * behind;
        }
    }
    return true;
}

} // namespace

bool peekMessage(MSG* out, HWND hwnd, UINT first, UINT last, bool remove)
{
    runSentMessages();
    pumpBackend();
    ThreadQueue& q = *currentQueue();
    bool tookInput = false;
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        auto take = [&](std::deque<MSG>& from) {
            for (auto it = from.begin(); it != from.end(); ++it) {
                if (!matches(*it, hwnd, first, last))
                    continue;
                *out = *it;
                if (remove) {
                    from.erase(it);
                    syncKeyState(*out);
                }
                return true;
            }
            return false;
        };
        if (take(q.posted))
            return true;
        if (q.quit) {
            *out = MSG{nullptr, WM_QUIT, q.quitCode, 0, tickCount(), lastCursorPos()};
            if (remove)
                q.quit = false;
            return true;
        }
        tookInput = take(q.input);
    }
    if (tookInput) {
        if (remove)
            sendSetCursor(*out);
        return true;
    }
    if (takePaint(out, hwnd, first, last))
        return true;
    return takeTimer(q, out, hwnd, first, last, remove);
}

void waitForMessages(uint64_t seenSequence)
{
    ThreadQueue& q = *currentQueue();
    Clock::time_point deadline = Clock::now() + std::chrono::hours(1);
    VideoBackend* backend = existingVideoBackend();
    if (backend && backend->needsPolling())
        deadline = std::min(deadline, Clock::now() + std::chrono::milliseconds(4));
    std::unique_lock<std::mutex> lock(q.mutex);
    for (const Timer& t : q.timers)
        deadline = std::min(deadline, t.due);
    while (q.sequence == seenSequence && q.sent.empty())
        if (!host::waitUntil(q.wake, lock, deadline))
            break;
}

uint64_t queueSequence()
{
    ThreadQueue& q = *currentQueue();
    std::lock_guard<std::mutex> lock(q.mutex);
    return q.sequence;
}

} // namespace vtl

using namespace vtl;

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last)
{
    VTL_TRACE(user, "GetMessageA", vtl::trace::Msg{msg}, hwnd, first, last);
    if (!msg || (hwnd && !threadMessagesOnly(hwnd) && !lookupWindow(hwnd))) {
        setError(msg ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(-1);
    }
    for (;;) {
        uint64_t seen = queueSequence();
        if (peekMessage(msg, hwnd, first, last, true)) {
            noteQueueRead(seen, msg);
            return vtlTraceCall_.result(msg->message == WM_QUIT ? FALSE : TRUE);
        }
        waitForMessages(seen);
    }
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove)
{
    VTL_TRACE(frame, "PeekMessageA", vtl::trace::Msg{msg}, hwnd, first, last, remove);
    if (!msg)
        return vtlTraceCall_.result(FALSE);
    const uint64_t seen = queueSequence();
    if (peekMessage(msg, hwnd, first, last, (remove & PM_REMOVE) != 0)) {
        noteQueueRead(seen, msg);
        return vtlTraceCall_.result(TRUE);
    }
    noteQueueRead(seen, nullptr);
    host::pollFoundNothing();
    return vtlTraceCall_.result(FALSE);
}

BOOL WaitMessage()
{
    VTL_TRACE0(user, "WaitMessage");
    uint64_t seen = queueSequence();
    MSG m;
    if (!peekMessage(&m, nullptr, 0, 0, false))
        waitForMessages(seen);
    return vtlTraceCall_.result(TRUE);
}

LRESULT DispatchMessageA(const MSG* msg)
{
    VTL_TRACE(user, "DispatchMessageA", vtl::trace::Msg{msg});
    if (!msg)
        return vtlTraceCall_.result(0);
    if (msg->message == kRemoteRequestMessage) {
        handleRemoteRequest(msg->hwnd, msg->wParam);
        return vtlTraceCall_.result(0);
    }
    if (msg->message == WM_TIMER && msg->lParam) {
        TIMERPROC proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, tickCount());
        return vtlTraceCall_.result(0);
    }
    WindowRef w = lookupWindow(msg->hwnd);
    if (!w) {
        if (msg->hwnd)
            setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(0);
    }
    if (!onOwnThread(*w)) {
        setError(ERROR_WINDOW_OF_OTHER_THREAD);
        return vtlTraceCall_.result(0);
    }
    return vtlTraceCall_.result(deliver(w, msg->message, msg->wParam, msg->lParam));
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    VTL_TRACE(user, "PostMessageA", hwnd, vtl::trace::Message{message}, wParam, lParam);
    MSG m{hwnd, message, wParam, lParam, tickCount(), lastCursorPos()};
    if (!hwnd) {
        // A message for no window goes to the calling thread's own queue.
        postTo(*currentQueue(), m);
        return vtlTraceCall_.result(TRUE);
    }
    // A WM_QUIT posted to a window is one of its posted messages, in order,
    // until the window goes (forgetWindow).
    WindowRef w = lookupWindow(hwnd);
    if (!w || w->destroying || !postTo(*w->queue, m)) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    return vtlTraceCall_.result(TRUE);
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    VTL_TRACE(user, "SendMessageA", hwnd, vtl::trace::Message{message}, wParam, lParam);
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(0);
    }
    if (onOwnThread(*w))
        return vtlTraceCall_.result(deliver(w, message, wParam, lParam));

    // Another thread's window: its thread runs the procedure the next time
    // it reads messages, while this one waits, still answering messages
    // sent to it so that two threads sending to each other do not deadlock.
    // A window whose thread has ended can not answer: as the system destroys
    // such windows, the handle is then as good as invalid.
    SentMessage s;
    s.msg = MSG{hwnd, message, wParam, lParam, tickCount(), lastCursorPos()};
    s.sender = currentQueue();
    ThreadQueue& target = *w->queue;
    {
        std::lock_guard<std::mutex> lock(target.mutex);
        if (target.closed) {
            setError(ERROR_INVALID_WINDOW_HANDLE);
            return vtlTraceCall_.result(0);
        }
        target.sent.push_back(&s);
        ++target.sequence;
    }
    target.wake.notify_all();
    ThreadQueue& mine = *s.sender;
    for (;;) {
        runSentMessages();
        std::unique_lock<std::mutex> lock(mine.mutex);
        while (!s.done && mine.sent.empty())
            host::waitForWake(mine.wake, lock);
        if (!s.done)
            continue;
        if (s.failed)
            setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(s.result);
    }
}

void PostQuitMessage(int exitCode)
{
    VTL_TRACE(user, "PostQuitMessage", exitCode);
    requestQuit(*currentQueue(), static_cast<WPARAM>(exitCode));
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    VTL_TRACE(user, "CallWindowProcA", proc, hwnd, vtl::trace::Message{message}, wParam, lParam);
    return vtlTraceCall_.result(proc ? proc(hwnd, message, wParam, lParam) : 0);
}

DWORD GetTickCount() { return tickCount(); }

void Sleep(DWORD milliseconds)
{
    VTL_TRACE(frame, "Sleep", static_cast<int>(milliseconds));
    host::sleepFor(milliseconds);
}
