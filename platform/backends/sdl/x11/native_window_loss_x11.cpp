// Windows another X client destroyed.  Xlib reports the error of a request
// long after it was made, on whatever call reads the connection next, to one
// process-wide handler; the default one (behind SDL's, which only restores
// the desktop's mode first) ends the process.  Ours is put in front: an
// error about a window of ours that X says does not exist (BadWindow,
// BadDrawable) marks that window lost and is dropped; once lost, every
// error about it is dropped, those of its own destruction included.  While
// a lost window is still SDL's, any BadWindow is dropped as well: SDL goes
// on with what it asked about the window, and a query that failed leaves it
// an id that was never a window (the parent it places the window by).
// Everything else goes on to the handler that was there.
//
// The error may come before the window's DestroyNotify has been read (the
// server sends the event first, but SDL reads it later), and a window that
// nothing is asked of gives no error at all: both are watched.
#include "platform/backends/sdl/native_window_loss.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstring>
#include <map>
#include <mutex>
#include <set>

namespace vtl {
namespace {

using ErrorHandler = int (*)(Display*, XErrorEvent*);

struct Watched {
    Uint32 sdlId = 0;
    bool lost = false;
    bool told = false; // takeLostNativeWindows has returned it
};

// The handler runs on whichever thread reads the connection; it takes the
// lock but calls nothing of Xlib's, as Xlib asks of error handlers.
std::mutex gWatchMutex;
std::map<XID, Watched> gWatched;
std::set<XID> gLostAndDestroyed;
Display* gDisplay = nullptr;
ErrorHandler gNextHandler = nullptr;

// Under gWatchMutex.
bool anyLost()
{
    for (const auto& entry : gWatched) {
        if (entry.second.lost)
            return true;
    }
    return false;
}

int onXError(Display* display, XErrorEvent* error)
{
    {
        std::lock_guard<std::mutex> lock(gWatchMutex);
        if (display == gDisplay) {
            const XID id = error->resourceid;
            if (gLostAndDestroyed.count(id))
                return 0;
            const bool gone = error->error_code == BadWindow || error->error_code == BadDrawable;
            auto it = gWatched.find(id);
            if (it != gWatched.end()) {
                if (it->second.lost)
                    return 0;
                if (gone) {
                    it->second.lost = true;
                    return 0;
                }
            }
            if (gone && anyLost())
                return 0;
        }
    }
    return gNextHandler ? gNextHandler(display, error) : 0;
}

bool x11Window(SDL_Window* window, Display** display, XID* id)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    *display = info.info.x11.display;
    *id = info.info.x11.window;
    return true;
}

} // namespace

void watchNativeWindowLoss()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0)
        return;
    // SDL puts its handler back when its video stops and sets it again when
    // it starts: ours goes in front of whatever is there now, once.
    const ErrorHandler before = XSetErrorHandler(onXError);
    if (before != onXError)
        gNextHandler = before;
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

void watchNativeWindow(SDL_Window* window)
{
    Display* display = nullptr;
    XID id = 0;
    if (!x11Window(window, &display, &id))
        return;
    std::lock_guard<std::mutex> lock(gWatchMutex);
    gDisplay = display;
    Watched& w = gWatched[id];
    w = Watched();
    w.sdlId = SDL_GetWindowID(window);
    gLostAndDestroyed.erase(id);
}

void unwatchNativeWindow(SDL_Window* window)
{
    Display* display = nullptr;
    XID id = 0;
    if (!x11Window(window, &display, &id))
        return;
    std::lock_guard<std::mutex> lock(gWatchMutex);
    auto it = gWatched.find(id);
    if (it == gWatched.end())
        return;
    if (it->second.lost)
        gLostAndDestroyed.insert(id);
    gWatched.erase(it);
}

void noteWindowSystemEvent(const SDL_Event& event)
{
    if (event.type != SDL_SYSWMEVENT || !event.syswm.msg || event.syswm.msg->subsystem != SDL_SYSWM_X11)
        return;
    const XEvent& x = event.syswm.msg->msg.x11.event;
    if (x.type != DestroyNotify)
        return;
    const XID destroyed = x.xdestroywindow.window;
    Uint32 sdlId = 0;
    {
        std::lock_guard<std::mutex> lock(gWatchMutex);
        auto it = gWatched.find(destroyed);
        if (it == gWatched.end())
            return;
        sdlId = it->second.sdlId;
    }
    // SDL makes a window's X window anew when a renderer needs another kind
    // of window: that one is followed instead, nothing was lost.
    Display* display = nullptr;
    XID current = 0;
    const bool remade = x11Window(SDL_GetWindowFromID(sdlId), &display, &current) && current != destroyed;
    std::lock_guard<std::mutex> lock(gWatchMutex);
    auto it = gWatched.find(destroyed);
    if (it == gWatched.end())
        return;
    if (remade) {
        const Watched followed = it->second;
        gWatched.erase(it);
        gWatched[current] = followed;
        return;
    }
    it->second.lost = true;
}

std::vector<Uint32> takeLostNativeWindows()
{
    std::vector<Uint32> lost;
    std::lock_guard<std::mutex> lock(gWatchMutex);
    for (auto& entry : gWatched) {
        if (entry.second.lost && !entry.second.told) {
            entry.second.told = true;
            lost.push_back(entry.second.sdlId);
        }
    }
    return lost;
}

} // namespace vtl
