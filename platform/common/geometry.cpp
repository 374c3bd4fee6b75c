// Where windows are: rectangles, coordinate conversion, moving, showing,
// painting requests and the frame arithmetic.
//
// Frames: a sizing border is 4 pixels, a dialog frame 3, a thin border 1, a
// caption 19 and a menu bar 19; AdjustWindowRectEx and the client areas of
// windows use the same numbers, so a window created from an adjusted
// rectangle has exactly the client size asked for.
#include "platform/common/fault_injection.h"
#include "platform/common/message_queue.h"
#include "platform/common/remote_windows.h"
#include "platform/common/video_backend.h"
#include "platform/common/window_state.h"

using namespace vtl;

namespace {

RECT screenRectOf(const Window& w)
{
    RECT r = w.rect;
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

} // namespace

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w || !rect) {
        setError(w ? kErrorInvalidParameter : kErrorInvalidWindowHandle);
        return FALSE;
    }
    if (injectedFailure(WinCall::kGetClientRect))
        return FALSE;
    *rect = (w->style & WS_MINIMIZE) ? RECT{0, 0, 0, 0} : clientRectOf(*w);
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w || !rect) {
        setError(w ? kErrorInvalidParameter : kErrorInvalidWindowHandle);
        return FALSE;
    }
    if (injectedFailure(WinCall::kGetWindowRect))
        return FALSE;
    *rect = screenRectOf(*w);
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w || !point)
        return FALSE;
    POINT o = clientOriginOnScreen(*w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w || !point)
        return FALSE;
    POINT o = clientOriginOnScreen(*w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(kErrorInvalidWindowHandle);
        return FALSE;
    }
    if (injectedFailure(WinCall::kMoveWindow))
        return FALSE;
    setWindowRect(w, RECT{x, y, x + (width > 0 ? width : 0), y + (height > 0 ? height : 0)}, repaint, false);
    return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(kErrorInvalidWindowHandle);
        return FALSE;
    }
    if (injectedFailure(WinCall::kSetWindowPos))
        return FALSE;
    RECT r = w->rect;
    if (!(flags & SWP_NOMOVE)) {
        LONG width = r.right - r.left, height = r.bottom - r.top;
        r = RECT{x, y, x + width, y + height};
    }
    if (!(flags & SWP_NOSIZE)) {
        r.right = r.left + (cx > 0 ? cx : 0);
        r.bottom = r.top + (cy > 0 ? cy : 0);
    }
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
    setWindowRect(w, r, !(flags & SWP_NOREDRAW), false);
    if (flags & SWP_SHOWWINDOW)
        applyShowCommand(w, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW, false);
    else if (flags & SWP_HIDEWINDOW)
        applyShowCommand(w, SW_HIDE, false);
    else if (!(flags & SWP_NOACTIVATE) && !w->parent && (w->style & WS_VISIBLE) && !(w->style & WS_MINIMIZE))
        activateWindow(w->handle);
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int command)
{
    // Another process's window (a running copy of the game): it can only be
    // asked to come back.
    if (isRemoteHandle(hwnd)) {
        bool wasVisible = remoteWindowExists(hwnd);
        if (command == SW_RESTORE || command == SW_SHOWNORMAL || command == SW_SHOW)
            sendRemoteRequest(hwnd, kRemoteRestore);
        return wasVisible ? TRUE : FALSE;
    }
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(kErrorInvalidWindowHandle);
        return FALSE;
    }
    if (injectedFailure(WinCall::kShowWindow))
        return FALSE;
    return applyShowCommand(w, command, false) ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(kErrorInvalidWindowHandle);
        return FALSE;
    }
    if (injectedFailure(WinCall::kUpdateWindow))
        return FALSE;
    if (w->needsPaint && (w->style & WS_VISIBLE) && !(w->style & WS_MINIMIZE)) {
        w->needsPaint = false;
        deliver(w, WM_PAINT, 0, 0);
    }
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT*, BOOL)
{
    if (!hwnd) {
        for (const WindowRef& w : allWindows()) {
            if (!w->parent)
                invalidate(w);
        }
        return TRUE;
    }
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(kErrorInvalidWindowHandle);
        return FALSE;
    }
    invalidate(w);
    return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle)
{
    if (!rect) {
        setError(kErrorInvalidParameter);
        return FALSE;
    }
    RECT f = frameFor(style, exStyle, menu != FALSE);
    rect->left -= f.left;
    rect->top -= f.top;
    rect->right += f.right;
    rect->bottom += f.bottom;
    return TRUE;
}
