#include "platform/user/window_state.h"

#include "platform/user/message_queue.h"
#include "platform/user/remote_windows.h"
#include "platform/user/video_backend.h"

namespace vtl {
namespace {

std::mutex gMutex;
HWND gForeground = nullptr;
HWND gFocus = nullptr;
HWND gCapture = nullptr;
bool gAppActive = false;

LPARAM clientOriginParam(const Window& w)
{
    POINT p;
    if (w.parent) {
        RECT f = frameOf(w);
        p = POINT{w.rect.left + f.left, w.rect.top + f.top};
    } else {
        p = clientOriginOnScreen(w);
    }
    return MAKELPARAM(p.x, p.y);
}

void tellApp(bool active)
{
    for (const WindowRef& w : allWindows()) {
        if (!w->parent && onOwnThread(*w) && !w->destroying)
            deliver(w, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
    }
}

} // namespace


void setWindowRect(const WindowRef& w, const RECT& rect, bool repaint, bool fromBackend)
{
    RECT old = w->rect;
    if (sameRect(old, rect))
        return;
    w->rect = rect;
    if (!fromBackend && w->native)
        videoBackend().syncGeometry(*w);
    bool moved = old.left != rect.left || old.top != rect.top;
    bool sized = old.right - old.left != rect.right - rect.left || old.bottom - old.top != rect.bottom - rect.top;
    if (moved)
        deliver(w, WM_MOVE, 0, clientOriginParam(*w));
    if (sized && !(w->style & WS_MINIMIZE)) {
        RECT c = clientRectOf(*w);
        deliver(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right, c.bottom));
    }
    if (sized && repaint)
        invalidate(w);
}

void setScreenFrame(Window& w, const RECT& frame)
{
    if (!w.native || sameRect(w.screenFrame, frame))
        return;
    POINT o = clientOriginOnScreen(w);
    RECT c = clientRectOf(w);
    w.screenFrame = frame;
    w.rect = RECT{o.x - frame.left, o.y - frame.top, o.x + c.right + frame.right, o.y + c.bottom + frame.bottom};
}

bool applyShowCommand(const WindowRef& w, int command, bool fromBackend)
{
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    bool wasMinimized = (w->style & WS_MINIMIZE) != 0;
    bool show = command != SW_HIDE;
    bool minimize = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
    bool activate = command == SW_SHOWNORMAL || command == SW_SHOW || command == SW_RESTORE ||
                    command == SW_SHOWDEFAULT || command == SW_SHOWMAXIMIZED || command == SW_SHOWMINIMIZED;
    // Showing without a restore command leaves a minimised window minimised.
    bool restore = show && !minimize && (command == SW_RESTORE || command == SW_SHOWNORMAL ||
                                         command == SW_SHOWDEFAULT || command == SW_SHOWMAXIMIZED);
    bool nowMinimized = minimize || (wasMinimized && !restore && show);
    if (!show)
        nowMinimized = wasMinimized;

    if (show)
        w->style |= WS_VISIBLE;
    else
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    if (nowMinimized)
        w->style |= WS_MINIMIZE;
    else
        w->style &= ~static_cast<DWORD>(WS_MINIMIZE);

    if (show != wasVisible)
        deliver(w, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (w->native && !fromBackend)
        videoBackend().syncShowState(*w, activate && !nowMinimized);
    if (nowMinimized != wasMinimized) {
        if (nowMinimized) {
            deliver(w, WM_SIZE, SIZE_MINIMIZED, 0);
        } else {
            RECT c = clientRectOf(*w);
            deliver(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right, c.bottom));
        }
    }
    if (command == SW_MAXIMIZE && !w->parent) {
        Desktop d = desktop();
        setWindowRect(w, d.workArea, true, fromBackend);
    }
    if (!w->parent) {
        publishWindow(*w);
        if (!show || nowMinimized)
            deactivateWindow(w->handle);
        else if (activate)
            activateWindow(w->handle);
    }
    if (show && !nowMinimized && (!wasVisible || wasMinimized))
        invalidate(w);
    return wasVisible;
}

void activateWindow(HWND top)
{
    bool appWasActive;
    {
        std::lock_guard<std::mutex> lock(gMutex);
        if (gForeground == top)
            return;
        gForeground = top;
        appWasActive = gAppActive;
        gAppActive = true;
    }
    if (!appWasActive)
        tellApp(true);
    if (WindowRef w = lookupWindow(top))
        deliver(w, WM_ACTIVATE, WA_ACTIVE, 0);
}

void deactivateWindow(HWND top)
{
    {
        std::lock_guard<std::mutex> lock(gMutex);
        if (gForeground != top)
            return;
        gForeground = nullptr;
        gAppActive = false;
    }
    if (WindowRef w = lookupWindow(top))
        deliver(w, WM_ACTIVATE, WA_INACTIVE, 0);
    tellApp(false);
}

HWND foregroundWindow()
{
    std::lock_guard<std::mutex> lock(gMutex);
    return gForeground;
}

HWND focusWindow()
{
    std::lock_guard<std::mutex> lock(gMutex);
    return gFocus;
}

HWND captureWindow()
{
    std::lock_guard<std::mutex> lock(gMutex);
    return gCapture;
}

void forgetFocusAndCapture(HWND hwnd)
{
    std::lock_guard<std::mutex> lock(gMutex);
    if (gFocus == hwnd)
        gFocus = nullptr;
    if (gCapture == hwnd)
        gCapture = nullptr;
    if (gForeground == hwnd) {
        gForeground = nullptr;
        gAppActive = false;
    }
}

} // namespace vtl

using namespace vtl;

HWND GetForegroundWindow() { return foregroundWindow(); }
HWND GetFocus() { return focusWindow(); }

HWND SetFocus(HWND hwnd)
{
    WindowRef w = lookupWindow(hwnd);
    if (hwnd && !w) {
        setError(kErrorInvalidWindowHandle);
        return nullptr;
    }
    HWND old;
    {
        std::lock_guard<std::mutex> lock(gMutex);
        old = gFocus;
        if (old == hwnd)
            return old;
        gFocus = hwnd;
    }
    if (WindowRef o = lookupWindow(old))
        deliver(o, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (w)
        deliver(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND SetCapture(HWND hwnd)
{
    std::lock_guard<std::mutex> lock(gMutex);
    HWND old = gCapture;
    gCapture = hwnd;
    return old;
}

BOOL ReleaseCapture()
{
    std::lock_guard<std::mutex> lock(gMutex);
    gCapture = nullptr;
    return TRUE;
}
