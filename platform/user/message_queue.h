// The message queue each thread gets on first use: posted messages, messages
// sent from other threads, the quit request and the thread's timers.
#ifndef VANTREL_PLATFORM_USER_MESSAGE_QUEUE_H
#define VANTREL_PLATFORM_USER_MESSAGE_QUEUE_H

#include "platform/user/window_table.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace vtl {

typedef std::chrono::steady_clock Clock;

struct ThreadQueue;

// A message another thread is waiting on; result and done are written under
// the sender's queue mutex.
struct SentMessage {
    MSG msg;
    LRESULT result = 0;
    bool done = false;
    bool failed = false; // the target thread ended before running it
    std::shared_ptr<ThreadQueue> sender;
};

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    std::chrono::milliseconds interval;
    Clock::time_point due;
    TIMERPROC proc;
};

struct ThreadQueue {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<MSG> posted;
    std::deque<MSG> input; // keyboard and mouse, read after posted messages
    std::deque<SentMessage*> sent;
    uint64_t sequence = 0; // bumped by every post, send and quit: wakes readers
    bool quit = false;
    WPARAM quitCode = 0;
    std::vector<Timer> timers; // under the mutex: other threads set timers on this thread's windows
    UINT_PTR nextTimerId = 1;
    std::thread::id thread;
    // The thread has ended: nothing reads this queue any more, so posting
    // and sending to it fail.  Its windows stay in the table (no thread is
    // left to run their procedures) until the process ends.
    bool closed = false;
};

// The calling thread's queue, made on first use and closed when the thread
// ends.
const std::shared_ptr<ThreadQueue>& currentQueue();

// Whether the calling thread is the window's own.  Compared by queue, not by
// thread id: a new thread may get the id of one that has ended.
bool onOwnThread(const Window& w);

// Appends a message to a queue and wakes its thread; false when the queue's
// thread has ended.
bool postTo(ThreadQueue& queue, const MSG& msg);

// Appends a keyboard or mouse message; these come out after posted
// messages, whenever they arrived.
bool postInput(ThreadQueue& queue, const MSG& msg);

// Sets a queue's quit request (what PostQuitMessage does for its own thread);
// false when the queue's thread has ended.
bool requestQuit(ThreadQueue& queue, WPARAM code);

// Delivers a message to a window procedure on the calling thread, after the
// message observers; the window is kept alive for the call.
LRESULT deliver(const WindowRef& window, UINT message, WPARAM wParam, LPARAM lParam);

// Drops every queued message and timer of a window that is going away.
void forgetWindow(ThreadQueue& queue, HWND hwnd);

// Runs messages other threads sent to the calling thread.
void runSentMessages();

// Reads one message without waiting (what PeekMessageA does).
bool peekMessage(MSG* out, HWND hwnd, UINT first, UINT last, bool remove);

DWORD tickCount();

// Internal message: a request from another process for one of our windows
// (wParam says which); handled by DispatchMessageA, never seen by procedures.
constexpr UINT kRemoteRequestMessage = 0xC0DE;

} // namespace vtl

#endif
