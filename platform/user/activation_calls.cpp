// The active window of the calling thread, and CloseWindow (which, despite
// its name, minimises).
#include <vantrel/win32/window_calls.h>

#include "platform/user/message_queue.h"
#include "platform/user/window_state.h"

#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

using namespace vtl;

HWND GetActiveWindow()
{
    VTL_TRACE0(user, "GetActiveWindow");
    // The foreground window, when it is one of the calling thread's.
    WindowRef w = lookupWindow(foregroundWindow());
    return vtlTraceCall_.result(w && onOwnThread(*w) ? w->handle : nullptr);
}

HWND SetActiveWindow(HWND hwnd)
{
    VTL_TRACE(user, "SetActiveWindow", hwnd);
    const HWND previous = GetActiveWindow();
    if (!hwnd) {
        if (previous)
            deactivateWindow(previous);
        return vtlTraceCall_.result(previous);
    }
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(nullptr);
    }
    if (!onOwnThread(*w)) {
        setError(ERROR_WINDOW_OF_OTHER_THREAD);
        return vtlTraceCall_.result(nullptr);
    }
    // A child window is never active: the call changes nothing.
    if ((w->style & (WS_CHILD | WS_POPUP)) == WS_CHILD)
        return vtlTraceCall_.result(previous);
    activateWindow(hwnd);
    return vtlTraceCall_.result(previous);
}

BOOL CloseWindow(HWND hwnd)
{
    VTL_TRACE(user, "CloseWindow", hwnd);
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (w->style & WS_CHILD)
        return vtlTraceCall_.result(FALSE);
    ShowWindow(hwnd, SW_MINIMIZE);
    return vtlTraceCall_.result(TRUE);
}
