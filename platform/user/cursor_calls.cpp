// The pointer as the game shows it: ShowCursor's display counter, the shape
// SetCursor gives it, and SetCursorPos.
//
// The screen draws its own arrow: SetCursor with any cursor shows that
// arrow (a cursor's own picture is not drawn), SetCursor(NULL) takes the
// pointer away, as does a display counter below 0.
#include <vantrel/win32/cursor.h>
#include <vantrel/win32/keyboard_pointer.h>
#include <vantrel/win32/window.h>

#include "platform/user/input_events.h"
#include "platform/user/pointer_clip.h"
#include "platform/user/video_backend.h"
#include "platform/kernel/trace.h"

#include <mutex>

namespace {

std::mutex gPointerMutex;
int gDisplayCount = 0;
// The shape SetCursor gave, once it was called; before, the system's arrow.
bool gShapeChosen = false;
HCURSOR gShape = nullptr;

void showAsCounted() { vtl::videoBackend().showPointer(gDisplayCount >= 0 && (!gShapeChosen || gShape)); }

} // namespace

int ShowCursor(BOOL show)
{
    VTL_TRACE(user, "ShowCursor", show);
    std::lock_guard<std::mutex> lock(gPointerMutex);
    const int count = show ? ++gDisplayCount : --gDisplayCount;
    showAsCounted();
    return vtlTraceCall_.result(count);
}

HCURSOR SetCursor(HCURSOR cursor)
{
    VTL_TRACE(user, "SetCursor", cursor);
    // The arrow's handle is looked up outside the lock (the first time only).
    bool chosen;
    {
        std::lock_guard<std::mutex> lock(gPointerMutex);
        chosen = gShapeChosen;
    }
    const HCURSOR arrow = chosen ? nullptr : LoadCursorA(nullptr, IDC_ARROW);
    std::lock_guard<std::mutex> lock(gPointerMutex);
    const HCURSOR previous = gShapeChosen ? gShape : arrow;
    gShape = cursor;
    gShapeChosen = true;
    showAsCounted();
    return vtlTraceCall_.result(previous);
}

BOOL SetCursorPos(int x, int y)
{
    VTL_TRACE(user, "SetCursorPos", x, y);
    // Inside ClipCursor's rectangle.  The shared layer's position answers
    // GetCursorPos where the backend has no pointer of its own (headless).
    const POINT p = vtl::clipPoint(POINT{x, y});
    vtl::placeCursor(p);
    vtl::videoBackend().warpPointer(p);
    return vtlTraceCall_.result(TRUE);
}
