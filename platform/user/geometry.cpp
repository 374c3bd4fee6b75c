// Where windows are: rectangles, coordinate conversion, moving, showing,
// and the frame arithmetic.
//
// Frames: a sizing border is 4 pixels, a dialog frame 3, a thin border 1, a
// caption 19 and a menu bar 19.  AdjustWindowRectEx always answers with these
// numbers, and the sizes games pass to CreateWindowExA, MoveWindow and
// SetWindowPos are measured with them, so a window made from an adjusted
// rectangle has exactly the client size asked for on every backend.
//
// Where a window is, though, is what the screen shows.  Headless windows and
// child windows have the frames above.  A window on a real screen has the
// decorations its window manager draws (none on a bare X server): its client
// area is where the screen has it, its outer rectangle (GetWindowRect) is
// that client area grown by the real decorations, and the position a game
// asks for is where the real outer edge goes.  So on a screen whose
// decorations differ from the numbers above, a window's outer size is not the
// size that was asked for: a game that moves a window by feeding
// GetWindowRect's size back to MoveWindow changes its client size by the
// difference, while one that uses SWP_NOSIZE (or AdjustWindowRectEx) does not.
#include "platform/user/desktop_window.h"
#include "platform/user/message_queue.h"
#include "platform/user/remote_windows.h"
#include "platform/user/user_testing.h"
#include "platform/user/video_backend.h"
#include "platform/user/window_state.h"
#include "platform/kernel/trace.h"

#include "platform/kernel/last_error.h"

using vtl::testing::user::Op;

using namespace vtl;

namespace {

RECT screenRectOf(const Window& w)
{
    RECT r = reportedRect(w);
    if (w.parent) {
        if (WindowRef parent = lookupWindow(w.parent)) {
            POINT o = clientOriginOnScreen(*parent);
            r.left += o.x;
            r.right += o.x;
            r.top += o.y;
            r.bottom += o.y;
        }
    }
    return r;
}

// A window minimised from maximised is away from its rectangle: moving it
// moves where it is restored to (the system keeps the icon where it is).
bool placesNormalRect(const Window& w) { return !w.parent && (w.style & WS_MINIMIZE) && w.restoreToMaximized; }

} // namespace

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    VTL_TRACE(user, "GetClientRect", hwnd, vtl::trace::Rect{rect});
    if (isDesktopWindow(hwnd) && rect) {
        *rect = RECT{0, 0, desktop().width, desktop().height};
        return vtlTraceCall_.result(TRUE);
    }
    WindowRef w = lookupWindow(hwnd);
    if (!w || !rect) {
        setError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (testing::user::intercept(Op::GetClientRect))
        return vtlTraceCall_.result(FALSE);
    *rect = (w->style & WS_MINIMIZE) ? RECT{0, 0, 0, 0} : clientRectOf(*w);
    return vtlTraceCall_.result(TRUE);
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    VTL_TRACE(user, "GetWindowRect", hwnd, vtl::trace::Rect{rect});
    if (isDesktopWindow(hwnd) && rect) {
        *rect = RECT{0, 0, desktop().width, desktop().height};
        return vtlTraceCall_.result(TRUE);
    }
    WindowRef w = lookupWindow(hwnd);
    if (!w || !rect) {
        setError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (testing::user::intercept(Op::GetWindowRect))
        return vtlTraceCall_.result(FALSE);
    *rect = screenRectOf(*w);
    return vtlTraceCall_.result(TRUE);
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point)
{
    VTL_TRACE(user, "ClientToScreen", hwnd, point);
    WindowRef w = lookupWindow(hwnd);
    if (!w || !point)
        return vtlTraceCall_.result(FALSE);
    POINT o = clientOriginOnScreen(*w);
    point->x += o.x;
    point->y += o.y;
    return vtlTraceCall_.result(TRUE);
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point)
{
    VTL_TRACE(user, "ScreenToClient", hwnd, point);
    WindowRef w = lookupWindow(hwnd);
    if (!w || !point)
        return vtlTraceCall_.result(FALSE);
    POINT o = clientOriginOnScreen(*w);
    point->x -= o.x;
    point->y -= o.y;
    return vtlTraceCall_.result(TRUE);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    VTL_TRACE(user, "MoveWindow", hwnd, x, y, width, height, repaint);
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (testing::user::intercept(Op::MoveWindow))
        return vtlTraceCall_.result(FALSE);
    RECT r = outerRectFor(*w, x, y, width, height);
    if (placesNormalRect(*w))
        w->normalRect = r;
    else
        setWindowRect(w, r, repaint, false);
    return vtlTraceCall_.result(TRUE);
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    VTL_TRACE(user, "SetWindowPos", hwnd, insertAfter, x, y, cx, cy, flags);
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (testing::user::intercept(Op::SetWindowPos))
        return vtlTraceCall_.result(FALSE);
    const bool normalOnly = placesNormalRect(*w);
    RECT r = normalOnly ? w->normalRect : w->rect;
    if (!(flags & SWP_NOMOVE)) {
        LONG width = r.right - r.left, height = r.bottom - r.top;
        r = RECT{x, y, x + width, y + height};
    }
    if (!(flags & SWP_NOSIZE))
        r = outerRectFor(*w, r.left, r.top, cx, cy);
    if (!(flags & SWP_NOZORDER)) {
        if (insertAfter == HWND_TOPMOST)
            w->exStyle |= WS_EX_TOPMOST;
        else if (insertAfter == HWND_NOTOPMOST)
            w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
        if (w->native && (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST))
            videoBackend().raise(*w);
    }
    if ((flags & SWP_FRAMECHANGED) && w->native)
        videoBackend().syncStyle(*w);
    if (normalOnly)
        w->normalRect = r;
    else
        setWindowRect(w, r, !(flags & SWP_NOREDRAW), false);
    if (flags & SWP_SHOWWINDOW)
        applyShowCommand(w, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW, false);
    else if (flags & SWP_HIDEWINDOW)
        applyShowCommand(w, SW_HIDE, false);
    else if (!(flags & SWP_NOACTIVATE) && !w->parent && (w->style & WS_VISIBLE) && !(w->style & WS_MINIMIZE))
        activateWindow(w->handle);
    return vtlTraceCall_.result(TRUE);
}

BOOL ShowWindow(HWND hwnd, int command)
{
    VTL_TRACE(user, "ShowWindow", hwnd, command);
    // Another process's window (a running copy of the game): it can only be
    // asked to come back.
    if (isRemoteHandle(hwnd)) {
        bool wasVisible = remoteWindowExists(hwnd);
        if (command == SW_RESTORE || command == SW_SHOWNORMAL || command == SW_SHOW)
            sendRemoteRequest(hwnd, kRemoteRestore);
        return vtlTraceCall_.result(wasVisible ? TRUE : FALSE);
    }
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (testing::user::intercept(Op::ShowWindow))
        return vtlTraceCall_.result(FALSE);
    return vtlTraceCall_.result(applyShowCommand(w, command, false) ? TRUE : FALSE);
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle)
{
    VTL_TRACE(user, "AdjustWindowRectEx", vtl::trace::Rect{rect}, style, menu, exStyle);
    if (!rect) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    RECT f = frameFor(style, exStyle, menu != FALSE);
    rect->left -= f.left;
    rect->top -= f.top;
    rect->right += f.right;
    rect->bottom += f.bottom;
    return vtlTraceCall_.result(TRUE);
}

namespace {

// Placements are in work-area coordinates.
RECT toWorkArea(RECT r, bool back)
{
    RECT a = desktop().workArea;
    LONG dx = back ? a.left : -a.left, dy = back ? a.top : -a.top;
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

bool restoresToMaximized(const Window& w)
{
    return (w.style & WS_MAXIMIZE) || ((w.style & WS_MINIMIZE) && w.restoreToMaximized);
}

} // namespace

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement)
{
    VTL_TRACE(user, "GetWindowPlacement", hwnd, placement);
    WindowRef w = lookupWindow(hwnd);
    if (!w || !placement) {
        setError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    placement->length = sizeof *placement;
    placement->flags = ((w->style & WS_MINIMIZE) && w->restoreToMaximized) ? WPF_RESTORETOMAXIMIZED : 0;
    placement->showCmd = (w->style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                         : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                    : SW_SHOWNORMAL;
    placement->ptMinPosition = POINT{-1, -1};
    placement->ptMaxPosition = POINT{-1, -1};
    RECT normal = (restoresToMaximized(*w) && !w->parent) ? w->normalRect : w->rect;
    placement->rcNormalPosition = w->parent ? normal : toWorkArea(normal, false);
    return vtlTraceCall_.result(TRUE);
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement)
{
    VTL_TRACE(user, "SetWindowPlacement", hwnd, placement);
    WindowRef w = lookupWindow(hwnd);
    if (!w || !placement) {
        setError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    RECT normal = w->parent ? placement->rcNormalPosition : toWorkArea(placement->rcNormalPosition, true);
    // The normal rectangle is where the window is when neither minimised
    // nor maximised, and where it goes back to otherwise.
    if (restoresToMaximized(*w) && !w->parent)
        w->normalRect = normal;
    else
        setWindowRect(w, normal, true, false);
    if (lookupWindow(hwnd)) {
        w->restoreToMaximized = (placement->flags & WPF_RESTORETOMAXIMIZED) != 0 && (w->style & WS_MINIMIZE);
        applyShowCommand(w, static_cast<int>(placement->showCmd), false);
    }
    return vtlTraceCall_.result(TRUE);
}
