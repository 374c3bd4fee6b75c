// ClipCursor and GetClipCursor.  The rectangle is cut to the screen the game
// sees; GetCursorPos and SetCursorPos keep inside it, and the backend holds
// the real pointer over the part of the game's window that shows it (on a
// scaled window or a letterboxed full screen, the native pixels of those
// game pixels).
#include <vantrel/win32/keyboard_pointer.h>
#include <vantrel/win32/window.h>

#include "platform/user/pointer_clip.h"
#include "platform/user/video_backend.h"

#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <algorithm>
#include <mutex>

namespace vtl {
namespace {

std::mutex gClipMutex;
bool gClipped = false;
RECT gClip = {0, 0, 0, 0};

RECT screenRect()
{
    const Desktop d = desktop();
    return RECT{0, 0, d.width, d.height};
}

} // namespace

POINT clipPoint(POINT p)
{
    std::lock_guard<std::mutex> lock(gClipMutex);
    if (!gClipped)
        return p;
    p.x = std::max(gClip.left, std::min(p.x, gClip.right - 1));
    p.y = std::max(gClip.top, std::min(p.y, gClip.bottom - 1));
    return p;
}

} // namespace vtl

using namespace vtl;

BOOL ClipCursor(const RECT* rect)
{
    VTL_TRACE(user, "ClipCursor", vtl::trace::Rect{rect});
    if (!rect) {
        {
            std::lock_guard<std::mutex> lock(gClipMutex);
            gClipped = false;
        }
        videoBackend().confinePointer(nullptr);
        return vtlTraceCall_.result(TRUE);
    }
    if (rect->left > rect->right || rect->top > rect->bottom)
        return vtlTraceCall_.result(FALSE);
    // Cut to the screen; a rectangle wholly off it keeps the pointer at
    // the nearest edge.
    const RECT s = screenRect();
    RECT r{std::max(rect->left, s.left), std::max(rect->top, s.top), std::min(rect->right, s.right),
           std::min(rect->bottom, s.bottom)};
    r.left = std::min(r.left, s.right - 1);
    r.top = std::min(r.top, s.bottom - 1);
    r.right = std::max(r.right, r.left + 1);
    r.bottom = std::max(r.bottom, r.top + 1);
    {
        std::lock_guard<std::mutex> lock(gClipMutex);
        gClipped = true;
        gClip = r;
    }
    videoBackend().confinePointer(&r);
    return vtlTraceCall_.result(TRUE);
}

BOOL GetClipCursor(LPRECT rect)
{
    VTL_TRACE(user, "GetClipCursor", vtl::trace::Rect{rect});
    if (!rect) {
        setError(ERROR_NOACCESS);
        return vtlTraceCall_.result(FALSE);
    }
    std::lock_guard<std::mutex> lock(gClipMutex);
    *rect = gClipped ? gClip : screenRect();
    return vtlTraceCall_.result(TRUE);
}
