// Examples started where no one can see them (a server, a CI job, a shell
// without a display) run on the headless backend and end by themselves, so
// that none of them waits forever for a player who is not there.
#ifndef VANTREL_EXAMPLES_UNATTENDED_H
#define VANTREL_EXAMPLES_UNATTENDED_H

#include <vantrel.h>

#include <cstdlib>
#include <cstring>

// True when the window system will have no screen: VANTREL_VIDEO=headless,
// or no X or Wayland display to open (where the library falls back to the
// headless backend).  Windows always has its desktop, a page its canvas.
inline bool withoutDisplay()
{
#ifdef _WIN32
    return false;
#else
    const char* video = std::getenv("VANTREL_VIDEO");
    if (video && std::strcmp(video, "headless") == 0)
        return true;
#ifdef __EMSCRIPTEN__
    return false;
#else
    return !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY");
#endif
#endif
}

// Without a display, asks `window` to close after `seconds`, the way the
// player would (WM_CLOSE), so the example's own procedure ends it.  Returns
// whether the limit was set.
inline bool closeUnattendedAfter(HWND window, unsigned seconds)
{
    if (!withoutDisplay())
        return false;
    struct Closer {
        static void CALLBACK onTimer(HWND hwnd, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(hwnd, id);
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
        }
    };
    constexpr UINT_PTR kUnattendedTimer = 0x7E57;
    return SetTimer(window, kUnattendedTimer, seconds * 1000, Closer::onTimer) != 0;
}

#endif
