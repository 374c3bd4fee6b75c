// Waits in a page.  The program runs on the browser's only thread, so no
// condition variable is ever notified while it waits (the C library's waits
// return at once): every wait instead gives the browser its turn, through
// ASYNCIFY, which unwinds the program's stack to the browser's event loop and
// rewinds it when the browser calls back.  Input, timers and sound all come
// in during those turns.
#include "platform/host/waiting.h"

#include "platform/host/page_hooks.h"

#include <emscripten.h>

#include <algorithm>

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

// Waits for the browser's next animation frame; a page in the background,
// which gets none, goes on at ten frames a second.  Where there is no display
// at all (the program run by node), a frame is a 60th of a second.
EM_JS(void, vantrel_wait_for_animation_frame, (), {
    Asyncify.handleSleep(function(wakeUp) {
        var done = false;
        var wake = function() {
            if (!done) {
                done = true;
                wakeUp();
            }
        };
        if (typeof requestAnimationFrame === "function") {
            requestAnimationFrame(wake);
            setTimeout(wake, 100);
        } else {
            setTimeout(wake, 1000 / 60);
        }
    });
});

void turn(double milliseconds)
{
    emscripten_sleep(static_cast<unsigned>(std::max(0.0, milliseconds)));
    gLastTurn = emscripten_get_now();
    gPollsSinceTurn = 0;
}

void turnUntilNextFrame()
{
    vantrel_wait_for_animation_frame();
    gLastTurn = emscripten_get_now();
    gPollsSinceTurn = 0;
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
    turn(milliseconds);
}

void pollFoundNothing()
{
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
