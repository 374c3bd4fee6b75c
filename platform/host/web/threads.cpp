// A page is built without threads, so that it runs from any static server
// (shared memory between workers needs the server's isolation headers).  The
// platform's background work runs in the program's turns instead.
#include "platform/host/threads.h"
#include "platform/host/web/turn_work.h"

#include <algorithm>
#include <map>

namespace vtl::host {
namespace {

std::map<unsigned, std::function<WaitClock::time_point()>>& turnWork()
{
    static auto* work = new std::map<unsigned, std::function<WaitClock::time_point()>>; // removed from destructors at exit
    return *work;
}

unsigned gLastId = 0;
bool gRunning = false; // a step is running

} // namespace

bool startDetachedThread(std::function<void()>)
{
    return false;
}

bool startThread(std::thread&, std::function<void()>)
{
    return false;
}

unsigned addTurnWork(std::function<WaitClock::time_point()> step)
{
    do
        ++gLastId;
    while (gLastId == 0 || turnWork().count(gLastId));
    turnWork()[gLastId] = std::move(step);
    return gLastId;
}

void removeTurnWork(unsigned id)
{
    turnWork().erase(id);
}

WaitClock::time_point runTurnWork()
{
    if (gRunning)
        return WaitClock::time_point::max();
    gRunning = true;
    WaitClock::time_point earliest = WaitClock::time_point::max();
    // Every step at every turn, each knowing when its own work is due (new
    // work may have come since it last ran).  By id, looked up again after
    // each step: a step may add or remove work, its own included.
    for (unsigned next = 0;;) {
        const auto it = turnWork().lower_bound(next);
        if (it == turnWork().end())
            break;
        // A copy: a step that removes itself destroys the original.
        const std::function<WaitClock::time_point()> step = it->second;
        const bool last = it->first == ~0u;
        next = it->first + 1;
        earliest = std::min(earliest, step());
        if (last)
            break;
    }
    gRunning = false;
    return earliest;
}

} // namespace vtl::host
