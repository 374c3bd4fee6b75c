#include "platform/user/fault_injection.h"

#include "platform/user/window_table.h"

#include <atomic>
#include <mutex>

namespace vtl {
namespace {

constexpr int kCalls = static_cast<int>(WinCall::kCount);

std::atomic<bool> gArmed{false};
std::mutex gMutex;
int gPending[kCalls];
DWORD gError[kCalls];

} // namespace

void failNextCalls(WinCall call, int count, DWORD error)
{
    std::lock_guard<std::mutex> lock(gMutex);
    gPending[static_cast<int>(call)] = count;
    gError[static_cast<int>(call)] = error;
    gArmed.store(true, std::memory_order_relaxed);
}

void clearInjectedFailures()
{
    std::lock_guard<std::mutex> lock(gMutex);
    for (int& p : gPending)
        p = 0;
    gArmed.store(false, std::memory_order_relaxed);
}

bool injectedFailure(WinCall call)
{
    if (!gArmed.load(std::memory_order_relaxed))
        return false;
    std::lock_guard<std::mutex> lock(gMutex);
    int& pending = gPending[static_cast<int>(call)];
    if (pending <= 0)
        return false;
    --pending;
    setError(gError[static_cast<int>(call)]);
    return true;
}

} // namespace vtl
