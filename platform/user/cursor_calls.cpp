// ShowCursor's display counter and SetCursorPos.
#include <vantrel/win32/cursor.h>
#include <vantrel/win32/window.h>

#include "platform/user/input_events.h"

#include <atomic>

namespace {
std::atomic<int> gDisplayCount{0};
} // namespace

int ShowCursor(BOOL show) { return show ? ++gDisplayCount : --gDisplayCount; }

BOOL SetCursorPos(int x, int y)
{
    vtl::placeCursor(POINT{x, y});
    return TRUE;
}
