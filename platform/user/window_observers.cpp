#include "platform/user/window_observers.h"

#include <vantrel/seam/window_backend.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace vtl {
namespace {

struct Observer {
    int id;
    HWND hwnd;
    WindowObserver fn;
    void* user;
};

std::mutex gObserversMutex;
// Never destroyed: windows are destroyed, and tell the observers, from the
// destructors of a game's globals, which may run after this file's statics.
std::vector<Observer>& observers()
{
    static auto* list = new std::vector<Observer>;
    return *list;
}
std::atomic<int> gCount{0};
int gNextId = 1;

} // namespace

int watchWindowMessages(HWND hwnd, WindowObserver observer, void* user)
{
    if (!observer)
        return 0;
    std::lock_guard<std::mutex> lock(gObserversMutex);
    int id = gNextId++;
    auto& list = observers();
    list.push_back(Observer{id, hwnd, observer, user});
    gCount.store(static_cast<int>(list.size()));
    return id;
}

void unwatchWindowMessages(int id)
{
    std::lock_guard<std::mutex> lock(gObserversMutex);
    auto& list = observers();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->id == id) {
            list.erase(it);
            break;
        }
    }
    gCount.store(static_cast<int>(list.size()));
}

void notifyWindowObservers(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (gCount.load(std::memory_order_relaxed) == 0)
        return;
    std::vector<Observer> copy;
    {
        std::lock_guard<std::mutex> lock(gObserversMutex);
        for (const Observer& o : observers()) {
            if (!o.hwnd || o.hwnd == hwnd)
                copy.push_back(o);
        }
    }
    // Called without the lock: an observer may watch or unwatch.
    for (const Observer& o : copy)
        o.fn(hwnd, message, wParam, lParam, o.user);
}

} // namespace vtl
