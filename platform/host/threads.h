// Threads of the platform's own and the game's (CreateThread).  Declared for
// every host; platform/host/<system>/ implements it.  A page has no threads:
// there every start fails.  The platform's own background work (multimedia
// timers, waveOut notifications, the headless sound clock) then runs in the
// program's turns instead; the game's threads fail as Windows reports a thread
// the system would not start.
#ifndef VANTREL_PLATFORM_HOST_THREADS_H
#define VANTREL_PLATFORM_HOST_THREADS_H

#include "platform/host/waiting.h"

#include <functional>
#include <thread>

namespace vtl::host {

// Runs `body` on a new thread, left running on its own; false if none starts.
bool startDetachedThread(std::function<void()> body);
// Runs `body` on a new thread that `thread` then holds; false if none starts.
bool startThread(std::thread& thread, std::function<void()> body);

// Work the platform gives a thread of its own, where none starts: a page calls
// `step` from the program's own turns (its waits, presents and empty polls,
// waiting.h), every step at every turn, one at a time and never from inside
// another.  `step` does what is due and returns when it is next due
// (WaitClock::time_point::max(): nothing until something it waits for comes),
// and no turn lasts past the earliest step's time.  Returns an id for
// removeTurnWork, or 0 where the host runs no such work (its threads start).
unsigned addTurnWork(std::function<WaitClock::time_point()> step);
// Calls it no more; from inside its own step too.
void removeTurnWork(unsigned id);

} // namespace vtl::host

#endif
