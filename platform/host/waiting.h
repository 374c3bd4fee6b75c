// How the platform's blocking calls wait: GetMessage, WaitMessage, Sleep,
// the kernel's waits, a cross-thread SendMessage, and what a present and an
// empty PeekMessage give the host.  Declared for every host;
// platform/host/<system>/ implements it.
//
// A native program waits on condition variables that other threads notify.
// A page has one thread, which the browser needs back to deliver input, run
// timers and show frames: there every wait hands the browser its turn for a
// while and returns as a spurious wake-up would, and callers, which loop on
// their own condition anyway, look again.
#ifndef VANTREL_PLATFORM_HOST_WAITING_H
#define VANTREL_PLATFORM_HOST_WAITING_H

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace vtl::host {

using WaitClock = std::chrono::steady_clock;

// Waits on `wake` (with `lock` held on entry and on return) until woken or
// `deadline`; false once the deadline has passed.
bool waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock, WaitClock::time_point deadline);
// Waits on `wake` until woken.
void waitForWake(std::condition_variable& wake, std::unique_lock<std::mutex>& lock);
// Sleep(): the calling thread does nothing for `milliseconds`.
void sleepFor(uint32_t milliseconds);
// A PeekMessage found nothing: a loop that polls must not keep the host from
// running (a page would freeze).  Nothing to do where other threads run.
void pollFoundNothing();
// A frame went to the screen: where the host shows frames itself, this
// waits for its next one, which paces the game's loop by the display.
void framePresented();

} // namespace vtl::host

#endif
