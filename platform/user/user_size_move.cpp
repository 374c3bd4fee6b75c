#include "platform/user/user_size_move.h"

#include "platform/user/message_queue.h"

#include <vantrel/win32/window_calls.h>

#include <atomic>
#include <map>
#include <mutex>
#include <vector>

namespace vtl {
namespace {

constexpr std::chrono::milliseconds kQuietTime(250);

std::mutex gLoopsMutex;
std::atomic<int> gOpenLoops{0};

// The open loops: the window and when its last step came.
std::map<HWND, Clock::time_point>& loops()
{
    static auto* open = new std::map<HWND, Clock::time_point>;
    return *open;
}

} // namespace

void userSizeMoveStep(HWND top, bool sizing, const RECT& outer)
{
    WindowRef w = lookupWindow(top);
    if (!w || w->parent || !onOwnThread(*w))
        return;
    bool opened;
    {
        std::lock_guard<std::mutex> lock(gLoopsMutex);
        auto [at, added] = loops().emplace(top, Clock::now());
        at->second = Clock::now();
        opened = added;
        gOpenLoops = static_cast<int>(loops().size());
    }
    if (opened)
        deliver(w, WM_ENTERSIZEMOVE, 0, 0);
    RECT shown = outer;
    // The edge is not known: the bottom-right one is what a window
    // manager's resize handle most often drags.
    if (sizing)
        deliver(w, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&shown));
    else
        deliver(w, WM_MOVING, 0, reinterpret_cast<LPARAM>(&shown));
}

void closeQuietSizeMoves()
{
    if (gOpenLoops.load() == 0)
        return;
    std::vector<WindowRef> quiet;
    {
        std::lock_guard<std::mutex> lock(gLoopsMutex);
        const Clock::time_point now = Clock::now();
        for (auto it = loops().begin(); it != loops().end();) {
            WindowRef w = lookupWindow(it->first);
            if (!w) {
                it = loops().erase(it);
            } else if (onOwnThread(*w) && now - it->second >= kQuietTime) {
                quiet.push_back(w);
                it = loops().erase(it);
            } else {
                ++it;
            }
        }
        gOpenLoops = static_cast<int>(loops().size());
    }
    for (const WindowRef& w : quiet)
        deliver(w, WM_EXITSIZEMOVE, 0, 0);
}

} // namespace vtl
