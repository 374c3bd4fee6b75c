// POSIX threads through the C++ library's.
#include "platform/host/threads.h"

#include <system_error>

namespace vtl::host {

bool startDetachedThread(std::function<void()> body)
{
    std::thread thread;
    if (!startThread(thread, std::move(body)))
        return false;
    thread.detach();
    return true;
}

bool startThread(std::thread& thread, std::function<void()> body)
{
    try {
        thread = std::thread(std::move(body));
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

// Here the platform's background work always has threads of its own.
unsigned addTurnWork(std::function<WaitClock::time_point()>)
{
    return 0;
}

void removeTurnWork(unsigned) {}

} // namespace vtl::host
