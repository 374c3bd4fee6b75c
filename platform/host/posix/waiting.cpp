// Waits on POSIX threads: the condition variables' own, since other threads
// (the backend's, sound, sockets) wake them.
#include "platform/host/waiting.h"

#include <thread>

namespace vtl::host {

bool waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock, WaitClock::time_point deadline)
{
    return wake.wait_until(lock, deadline) == std::cv_status::no_timeout || WaitClock::now() < deadline;
}

void waitForWake(std::condition_variable& wake, std::unique_lock<std::mutex>& lock)
{
    wake.wait(lock);
}

void sleepFor(uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// The backend's own thread and the system's scheduler run meanwhile.
void pollFoundNothing() {}

// The backend shows the frame; the game paces itself.
void framePresented() {}

} // namespace vtl::host
