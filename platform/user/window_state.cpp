#include "platform/user/window_state.h"

#include "platform/user/message_queue.h"
#include "platform/user/palette_activation.h"
#include "platform/user/remote_windows.h"
#include "platform/user/video_backend.h"
#include "platform/kernel/trace.h"

#include "platform/kernel/last_error.h"

#include <vantrel/win32/keyboard_pointer.h>

#include <algorithm>

namespace vtl {
namespace {

std::mutex gFocusMutex;
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
    } else if (w.parkedAsIcon) {
        // Where the procedure sees a minimised window: its client area
        // moved with it to the minimised position.
        RECT f = frameOf(w);
        p = POINT{kMinimizedPosition + f.left, kMinimizedPosition + f.top};
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

POINT clientOrigin(const Window& w)
{
    LPARAM p = clientOriginParam(w);
    return POINT{static_cast<short>(LOWORD(p)), static_cast<short>(HIWORD(p))};
}

// The client size as the procedure sees it: nothing while minimised.
RECT visibleClient(const Window& w) { return (w.style & WS_MINIMIZE) ? RECT{0, 0, 0, 0} : clientRectOf(w); }

WINDOWPOS positionOf(const Window& w, const RECT& r, UINT flags)
{
    return WINDOWPOS{w.handle, nullptr, static_cast<int>(r.left), static_cast<int>(r.top),
                     static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top), flags};
}

// WM_WINDOWPOSCHANGED, flagged with what happened to the client area since
// `origin` and `client` were taken.
void sendPositionChanged(const WindowRef& w, UINT flags, POINT origin, const RECT& client)
{
    POINT nowOrigin = clientOrigin(*w);
    RECT nowClient = visibleClient(*w);
    if (nowOrigin.x == origin.x && nowOrigin.y == origin.y)
        flags |= kSwpNoClientMove;
    if (nowClient.right == client.right && nowClient.bottom == client.bottom)
        flags |= kSwpNoClientSize;
    WINDOWPOS pos = positionOf(*w, reportedRect(*w), flags);
    deliver(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

RECT iconRect()
{
    return RECT{kMinimizedPosition, kMinimizedPosition, kMinimizedPosition + kMinimizedWidth,
                kMinimizedPosition + kMinimizedHeight};
}

// A maximised window covers the work area with its borders just beyond it,
// its caption inside.
RECT maximizedRect(const Window& w)
{
    RECT a = desktop().workArea;
    RECT f = frameOf(w);
    return RECT{a.left - f.left, a.top - f.left, a.right + f.right, a.bottom + f.bottom};
}

bool live(const WindowRef& w) { return lookupWindow(w->handle) != nullptr; }

} // namespace

RECT reportedRect(const Window& w) { return w.parkedAsIcon ? iconRect() : w.rect; }

void setWindowRect(const WindowRef& w, const RECT& asked, bool repaint, bool fromBackend)
{
    RECT old = w->rect;
    if (sameRect(old, asked))
        return;
    auto flagsFor = [&](const RECT& r) {
        UINT f = SWP_NOZORDER | SWP_NOACTIVATE;
        if (r.left == old.left && r.top == old.top)
            f |= SWP_NOMOVE;
        if (r.right - r.left == old.right - old.left && r.bottom - r.top == old.bottom - old.top)
            f |= SWP_NOSIZE;
        return f;
    };
    WINDOWPOS pos = positionOf(*w, asked, flagsFor(asked));
    deliver(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    RECT rect = asked;
    if (!fromBackend) {
        // The procedure may have moved or sized it differently.
        LONG x = (pos.flags & SWP_NOMOVE) ? old.left : pos.x;
        LONG y = (pos.flags & SWP_NOMOVE) ? old.top : pos.y;
        LONG cx = (pos.flags & SWP_NOSIZE) ? old.right - old.left : pos.cx;
        LONG cy = (pos.flags & SWP_NOSIZE) ? old.bottom - old.top : pos.cy;
        rect = RECT{x, y, x + std::max<LONG>(cx, 0), y + std::max<LONG>(cy, 0)};
    }
    if (!lookupWindow(w->handle) || sameRect(old, rect))
        return;
    POINT origin = clientOrigin(*w);
    RECT client = visibleClient(*w);
    w->rect = rect;
    if (!fromBackend && w->native)
        videoBackend().syncGeometry(*w);
    sendPositionChanged(w, flagsFor(rect), origin, client);
    bool sized = old.right - old.left != rect.right - rect.left || old.bottom - old.top != rect.bottom - rect.top;
    if (sized && repaint && lookupWindow(w->handle))
        invalidate(w);
}

void sendSizeMessage(const WindowRef& w)
{
    if (w->style & WS_MINIMIZE) {
        deliver(w, WM_SIZE, SIZE_MINIMIZED, 0);
        return;
    }
    RECT c = clientRectOf(*w);
    deliver(w, WM_SIZE, (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED, MAKELPARAM(c.right, c.bottom));
}

void applyCreationState(const WindowRef& w, DWORD style)
{
    const bool minimize = (style & WS_MINIMIZE) != 0;
    if (!minimize && !(style & WS_MAXIMIZE))
        return;
    // The window was made normal and told so; the state comes as a change
    // of position of its own, without activation, whose WM_WINDOWPOSCHANGED
    // brings the WM_MOVE and the WM_SIZE of the new state.
    RECT rect = w->rect;
    if (!minimize && !w->parent) {
        w->normalRect = w->rect;
        rect = maximizedRect(*w);
    }
    const bool parks = minimize && !w->parent;
    const RECT seenBefore = reportedRect(*w);
    const RECT seen = parks ? iconRect() : rect;
    UINT flags = SWP_NOACTIVATE | SWP_FRAMECHANGED | kSwpStateChanged;
    if (seen.left == seenBefore.left && seen.top == seenBefore.top)
        flags |= SWP_NOMOVE;
    if (seen.right - seen.left == seenBefore.right - seenBefore.left &&
        seen.bottom - seen.top == seenBefore.bottom - seenBefore.top)
        flags |= SWP_NOSIZE;
    WINDOWPOS pos = positionOf(*w, seen, flags);
    deliver(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!live(w))
        return;
    const POINT origin = clientOrigin(*w);
    const RECT client = visibleClient(*w);
    w->style |= minimize ? WS_MINIMIZE : WS_MAXIMIZE;
    const bool moved = !sameRect(rect, w->rect);
    w->rect = rect;
    w->parkedAsIcon = parks;
    if (moved && w->native)
        videoBackend().syncGeometry(*w);
    sendPositionChanged(w, flags, origin, client);
}

void sendClientChange(const WindowRef& w, const WINDOWPOS& pos)
{
    if (!(pos.flags & kSwpNoClientMove))
        deliver(w, WM_MOVE, 0, clientOriginParam(*w));
    if (!(pos.flags & kSwpNoClientSize) || (pos.flags & kSwpStateChanged))
        sendSizeMessage(w);
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

namespace {

// ShowWindow's work.  `quiet` is DestroyWindow's hiding of a top-level
// window, which changes the position without WM_SHOWWINDOW.
bool changeShowState(const WindowRef& w, int command, bool fromBackend, bool quiet)
{
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    const bool wasMinimized = (w->style & WS_MINIMIZE) != 0;
    const bool wasMaximized = (w->style & WS_MAXIMIZE) != 0;
    const bool show = command != SW_HIDE;
    const bool minimize = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
    const bool maximize = command == SW_MAXIMIZE;
    const bool activate = command == SW_SHOWNORMAL || command == SW_SHOW || command == SW_RESTORE ||
                          command == SW_SHOWDEFAULT || command == SW_SHOWMAXIMIZED || command == SW_SHOWMINIMIZED;
    // Showing without a restore command leaves a minimised or maximised
    // window as it is.
    const bool restore = command == SW_RESTORE || command == SW_SHOWNORMAL || command == SW_SHOWDEFAULT;
    bool nowMinimized = wasMinimized, nowMaximized = wasMaximized;
    if (minimize) {
        nowMinimized = true;
        nowMaximized = false;
    } else if (maximize) {
        nowMinimized = false;
        nowMaximized = true;
    } else if (restore) {
        // A maximised window minimised comes back maximised; restoring a
        // maximised one makes it normal.
        nowMaximized = wasMinimized && command == SW_RESTORE && w->restoreToMaximized;
        nowMinimized = false;
    }
    const bool stateChanges = nowMinimized != wasMinimized || nowMaximized != wasMaximized;
    const bool rectWasMaximized = wasMaximized || (wasMinimized && w->restoreToMaximized);

    RECT rect = w->rect;
    if (!w->parent && nowMaximized && !rectWasMaximized) {
        w->normalRect = w->rect;
        rect = maximizedRect(*w);
    } else if (!w->parent && nowMaximized) {
        rect = maximizedRect(*w);
    } else if (!w->parent && !nowMaximized && !nowMinimized && rectWasMaximized) {
        rect = w->normalRect;
    }
    if (minimize && !wasMinimized)
        w->restoreToMaximized = wasMaximized;

    if (show == wasVisible && !stateChanges && sameRect(rect, w->rect)) {
        if (!w->parent && show && activate && !nowMinimized)
            activateWindow(w->handle);
        return wasVisible;
    }

    if (show != wasVisible && !quiet) {
        deliver(w, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if (!live(w))
            return wasVisible;
    }
    // What the procedure is told is where the game sees the window: a
    // minimised top-level window at the minimised position.
    const bool parks = nowMinimized && !w->parent;
    const RECT seenBefore = reportedRect(*w);
    const RECT seen = parks ? iconRect() : rect;
    UINT flags = 0;
    if (show != wasVisible)
        flags |= show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    if (!activate || !show || nowMinimized || quiet)
        flags |= SWP_NOACTIVATE;
    if (quiet)
        flags |= SWP_NOZORDER;
    if (seen.left == seenBefore.left && seen.top == seenBefore.top)
        flags |= SWP_NOMOVE;
    if (seen.right - seen.left == seenBefore.right - seenBefore.left &&
        seen.bottom - seen.top == seenBefore.bottom - seenBefore.top)
        flags |= SWP_NOSIZE;
    if (stateChanges)
        flags |= SWP_FRAMECHANGED | kSwpStateChanged;
    WINDOWPOS pos = positionOf(*w, seen, flags);
    deliver(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!live(w))
        return wasVisible;

    POINT origin = clientOrigin(*w);
    RECT client = visibleClient(*w);
    auto setBit = [&](DWORD bit, bool on) {
        if (on)
            w->style |= bit;
        else
            w->style &= ~bit;
    };
    setBit(WS_VISIBLE, show);
    setBit(WS_MINIMIZE, nowMinimized);
    setBit(WS_MAXIMIZE, nowMaximized);
    bool moved = !sameRect(rect, w->rect);
    w->rect = rect;
    w->parkedAsIcon = parks;
    if (w->native && !fromBackend) {
        if (moved)
            videoBackend().syncGeometry(*w);
        videoBackend().syncShowState(*w, activate && !nowMinimized);
    }
    if (!w->parent && show && activate && !nowMinimized)
        activateWindow(w->handle);
    sendPositionChanged(w, flags, origin, client);
    if (!w->parent && (!show || nowMinimized))
        deactivateWindow(w->handle);
    if (show && w->needsSizeMessages && lookupWindow(w->handle)) {
        // An overlapped window hears its size and place when first shown.
        w->needsSizeMessages = false;
        sendSizeMessage(w);
        deliver(w, WM_MOVE, 0, clientOriginParam(*w));
    }
    if (!w->parent && lookupWindow(w->handle))
        publishWindow(*w);
    if (show && !nowMinimized && (!wasVisible || stateChanges) && lookupWindow(w->handle))
        invalidate(w);
    return wasVisible;
}

} // namespace

bool applyShowCommand(const WindowRef& w, int command, bool fromBackend)
{
    return changeShowState(w, command, fromBackend, false);
}

void hideForDestroy(const WindowRef& w)
{
    if (w->style & WS_VISIBLE)
        changeShowState(w, SW_HIDE, false, !w->parent);
}

void activateWindow(HWND top)
{
    bool appWasActive;
    HWND previous;
    {
        std::lock_guard<std::mutex> lock(gFocusMutex);
        if (gForeground == top)
            return;
        previous = gForeground;
        gForeground = top;
        appWasActive = gAppActive;
        gAppActive = true;
    }
    queryNewPalette(top);
    WindowRef old = lookupWindow(previous);
    if (old && onOwnThread(*old)) {
        deliver(old, WM_NCACTIVATE, FALSE, 0);
        deliver(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(top));
    }
    if (!appWasActive)
        tellApp(true);
    if (WindowRef w = lookupWindow(top)) {
        deliver(w, WM_NCACTIVATE, TRUE, 0);
        deliver(w, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    }
}

void deactivateWindow(HWND top)
{
    {
        std::lock_guard<std::mutex> lock(gFocusMutex);
        if (gForeground != top)
            return;
        gForeground = nullptr;
        gAppActive = false;
    }
    if (WindowRef w = lookupWindow(top)) {
        deliver(w, WM_NCACTIVATE, FALSE, 0);
        deliver(w, WM_ACTIVATE, WA_INACTIVE, 0);
    }
    tellApp(false);
}

HWND foregroundWindow()
{
    std::lock_guard<std::mutex> lock(gFocusMutex);
    return gForeground;
}

HWND focusWindow()
{
    std::lock_guard<std::mutex> lock(gFocusMutex);
    return gFocus;
}

HWND captureWindow()
{
    std::lock_guard<std::mutex> lock(gFocusMutex);
    return gCapture;
}

void forgetFocusAndCapture(HWND hwnd)
{
    std::lock_guard<std::mutex> lock(gFocusMutex);
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
    VTL_TRACE(user, "SetFocus", hwnd);
    WindowRef w = lookupWindow(hwnd);
    if (hwnd && !w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(nullptr);
    }
    HWND old;
    {
        std::lock_guard<std::mutex> lock(gFocusMutex);
        old = gFocus;
        if (old == hwnd)
            return vtlTraceCall_.result(old);
        gFocus = hwnd;
    }
    if (WindowRef o = lookupWindow(old))
        deliver(o, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (w)
        deliver(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return vtlTraceCall_.result(old);
}

HWND SetCapture(HWND hwnd)
{
    VTL_TRACE(user, "SetCapture", hwnd);
    std::lock_guard<std::mutex> lock(gFocusMutex);
    HWND old = gCapture;
    gCapture = hwnd;
    return vtlTraceCall_.result(old);
}

HWND GetCapture()
{
    VTL_TRACE0(user, "GetCapture");
    // Only a window of the calling thread is answered.
    WindowRef w = lookupWindow(captureWindow());
    return vtlTraceCall_.result(w && onOwnThread(*w) ? w->handle : nullptr);
}

BOOL ReleaseCapture()
{
    VTL_TRACE0(user, "ReleaseCapture");
    std::lock_guard<std::mutex> lock(gFocusMutex);
    gCapture = nullptr;
    return vtlTraceCall_.result(TRUE);
}
