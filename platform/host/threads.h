// Threads of the platform's own and the game's (CreateThread).  Declared for
// every host; platform/host/<system>/ implements it.  A page has no threads:
// there every start fails, and each caller reports that as its interface
// reports a thread the system would not start.
#ifndef VANTREL_PLATFORM_HOST_THREADS_H
#define VANTREL_PLATFORM_HOST_THREADS_H

#include <functional>
#include <thread>

namespace vtl::host {

// Runs `body` on a new thread, left running on its own; false if none starts.
bool startDetachedThread(std::function<void()> body);
// Runs `body` on a new thread that `thread` then holds; false if none starts.
bool startThread(std::thread& thread, std::function<void()> body);

} // namespace vtl::host

#endif
