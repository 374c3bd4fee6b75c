// Requests to end the program, the Windows way: the host's (Ctrl-C, SIGTERM)
// and the screen's (SDL's quit event) become WM_CLOSE to every top-level
// window, so the game's own window procedure decides: DefWindowProcA
// destroys the window, and the game posts its quit message as it does when
// the player closes it.
#include "platform/user/quit_requests.h"
#include "platform/host/quit_signals.h"
#include "platform/user/window_table.h"

#include <mutex>
#include <vector>

namespace vtl {

bool closeTopLevelWindows()
{
    std::vector<HWND> tops;
    for (const WindowRef& w : allWindows()) {
        std::lock_guard<std::mutex> lock(windowTableMutex()); // SetParent changes parents under it
        if (!w->parent && !w->destroying)
            tops.push_back(w->handle);
    }
    bool any = false;
    for (HWND h : tops)
        any = PostMessageA(h, WM_CLOSE, 0, 0) || any;
    return any;
}

void watchQuitRequests() { host::watchQuitRequests(closeTopLevelWindows); }

} // namespace vtl
