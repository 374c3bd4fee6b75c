// ShowCursor's display counter and SetCursorPos.
#include <vantrel/win32/cursor.h>
#include <vantrel/win32/window.h>

#include "platform/user/input_events.h"
#include "platform/user/video_backend.h"
#include "platform/kernel/trace.h"

#include <atomic>

namespace {
std::atomic<int> gDisplayCount{0};
} // namespace

int ShowCursor(BOOL show)
{
    VTL_TRACE(user, "ShowCursor", show);
    const int count = show ? ++gDisplayCount : --gDisplayCount;
    vtl::videoBackend().showPointer(count >= 0);
    return vtlTraceCall_.result(count);
}

BOOL SetCursorPos(int x, int y)
{
    VTL_TRACE(user, "SetCursorPos", x, y);
    // The shared layer's position answers GetCursorPos where the backend has
    // no pointer of its own (headless).
    vtl::placeCursor(POINT{x, y});
    vtl::videoBackend().warpPointer(POINT{x, y});
    return vtlTraceCall_.result(TRUE);
}
