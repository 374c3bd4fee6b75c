// Waits in a page.  The program runs on the browser's only thread, so no
// condition variable is ever notified while it waits (the C library's waits
// return at once): every wait instead gives the browser its turn, through
// ASYNCIFY, which unwinds the program's stack to the browser's event loop and
// rewinds it when the browser calls back.  Input, timers and sound all come
// in during those turns, and the platform's background work (turn_work.h) is
// done on each side of them.
#include "platform/host/waiting.h"

#include "platform/host/page_hooks.h"
#include "platform/host/web/turn_work.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>

namespace vtl::host {
namespace {

// The longest one turn lasts: a wait for something only the program's own
// next look can find (a timer, a polled backend's input) looks again after
// at most this long.
constexpr double kLongestTurnMs = 10.0;
// How long, and how many empty polls, a loop may go without giving the
// browser a turn.  The count matters where the page's clock stands still
// while the program runs (chromium's --virtual-time-budget advances it only
// between the page's tasks): there a time alone would never run out.
constexpr double kPollingWithoutTurnMs = 4.0;
constexpr unsigned kPollsWithoutTurn = 64;

double gLastTurn = 0;               // emscripten_get_now() at the end of the last turn
bool gFrameSinceIdleTurn = true;    // a frame was shown since a polling loop last waited
unsigned gPollsSinceTurn = 0;       // empty polls since the last turn

// Waits for the browser's next animation frame, or `dueMs` (the background
// work's next time; negative: none) if that comes first: 1 for the frame.  A
// page in the background, which gets no frames, goes on at ten frames a
// second.  Where there is no display at all (the program run by node), a
// frame is a 60th of a second.  Those stand-ins count from the start of the
// present's wait, `waitedMs` ago, however often the background work woke it.
EM_JS(int, vantrel_wait_for_animation_frame, (double dueMs, double waitedMs), {
    return Asyncify.handleSleep(function(wakeUp) {
        var done = false;
        var wake = function(frame) {
            if (!done) {
                done = true;
                wakeUp(frame);
            }
        };
        if (typeof requestAnimationFrame === "function") {
            requestAnimationFrame(function() { wake(1); });
            setTimeout(function() { wake(1); }, Math.max(0, 100 - waitedMs));
        } else {
            setTimeout(function() { wake(1); }, Math.max(0, 1000 / 60 - waitedMs));
        }
        if (dueMs >= 0)
            setTimeout(function() { wake(0); }, dueMs);
    });
});

// Milliseconds until `due`, or -1 for none.
double millisecondsUntil(WaitClock::time_point due)
{
    if (due == WaitClock::time_point::max())
        return -1;
    return std::max(0.0, std::chrono::duration<double, std::milli>(due - WaitClock::now()).count());
}

void tookTurn()
{
    gLastTurn = emscripten_get_now();
    gPollsSinceTurn = 0;
    // What fell due meanwhile is done before the caller looks again.
    runTurnWork();
}

void turn(double milliseconds)
{
    const double due = millisecondsUntil(runTurnWork());
    if (due >= 0)
        milliseconds = std::min(milliseconds, due);
    emscripten_sleep(static_cast<unsigned>(std::ceil(std::max(0.0, milliseconds))));
    tookTurn();
}

void turnUntilNextFrame()
{
    const double start = emscripten_get_now();
    while (!vantrel_wait_for_animation_frame(millisecondsUntil(runTurnWork()), emscripten_get_now() - start)) {
    }
    tookTurn();
}

} // namespace

bool waitUntil(std::condition_variable&, std::unique_lock<std::mutex>& lock, WaitClock::time_point deadline)
{
    const double left = std::chrono::duration<double, std::milli>(deadline - WaitClock::now()).count();
    if (left <= 0)
        return false;
    lock.unlock();
    turn(std::min(left, kLongestTurnMs));
    lock.lock();
    return WaitClock::now() < deadline;
}

void waitForWake(std::condition_variable&, std::unique_lock<std::mutex>& lock)
{
    lock.unlock();
    turn(kLongestTurnMs);
    lock.lock();
}

void sleepFor(uint32_t milliseconds)
{
    // Turns end early for the background work's times; the sleep does not.
    const double end = emscripten_get_now() + milliseconds;
    do
        turn(end - emscripten_get_now());
    while (emscripten_get_now() < end);
}

void pollFoundNothing()
{
    runTurnWork();
    if (++gPollsSinceTurn < kPollsWithoutTurn && emscripten_get_now() - gLastTurn < kPollingWithoutTurnMs)
        return;
    // A loop that draws is paced by its presents and loses no frame to a
    // short turn; one that only polls waits for the display.
    if (gFrameSinceIdleTurn)
        turn(0);
    else
        turnUntilNextFrame();
    gFrameSinceIdleTurn = false;
}

void framePresented()
{
    pageFrameShown();
    gFrameSinceIdleTurn = true;
    turnUntilNextFrame();
}

} // namespace vtl::host
