// Update regions and the calls that read and clear them: InvalidateRect,
// ValidateRect, GetUpdateRect, BeginPaint, EndPaint and UpdateWindow.
//
// An invalid area stays invalid until something validates it: WM_PAINT is
// made from the region each time the queue is otherwise empty, and reading
// or dispatching it changes nothing, so a window procedure that neither
// calls BeginPaint nor passes WM_PAINT on is asked again and again, as on
// the system this interface comes from (games that draw a frame per
// WM_PAINT rely on it).
//
// Choices where the interface leaves room: the region is kept as its
// bounding box, so validating part of it takes the part away only where
// what is left is still a rectangle (a band along one side, or all of it);
// otherwise the box stays whole and rcPaint is the box.
#include "platform/user/message_queue.h"
#include "platform/user/user_testing.h"
#include "platform/user/window_state.h"
#include "platform/kernel/trace.h"

#include "platform/kernel/last_error.h"

#include <vantrel/win32/gdi.h>

#include <algorithm>
#include <cstring>

using vtl::testing::user::Op;

namespace vtl {
namespace {

bool emptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT intersection(const RECT& a, const RECT& b)
{
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return emptyRect(r) ? RECT{0, 0, 0, 0} : r;
}

bool covers(const RECT& outer, const RECT& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

void clearRegion(Window& w)
{
    w.needsPaint = false;
    w.needsErase = false;
    w.updateRect = RECT{0, 0, 0, 0};
}

} // namespace

void invalidateArea(const WindowRef& w, const RECT* area, bool erase)
{
    RECT client = clientRectOf(*w);
    RECT added = area ? intersection(*area, client) : client;
    if (emptyRect(added))
        return;
    if (w->needsPaint) {
        RECT& u = w->updateRect;
        u = RECT{std::min(u.left, added.left), std::min(u.top, added.top), std::max(u.right, added.right),
                 std::max(u.bottom, added.bottom)};
    } else {
        w->updateRect = added;
    }
    w->needsPaint = true;
    w->needsErase = w->needsErase || erase;
    std::lock_guard<std::mutex> lock(w->queue->mutex);
    ++w->queue->sequence;
    w->queue->wake.notify_all();
}

void validateArea(Window& w, const RECT* area)
{
    if (!w.needsPaint)
        return;
    RECT& u = w.updateRect;
    if (!area || covers(*area, u)) {
        clearRegion(w);
        return;
    }
    bool fullWidth = area->left <= u.left && area->right >= u.right;
    bool fullHeight = area->top <= u.top && area->bottom >= u.bottom;
    if (fullWidth && area->top <= u.top && area->bottom > u.top)
        u.top = area->bottom;
    else if (fullWidth && area->bottom >= u.bottom && area->top < u.bottom)
        u.bottom = area->top;
    else if (fullHeight && area->left <= u.left && area->right > u.left)
        u.left = area->right;
    else if (fullHeight && area->right >= u.right && area->left < u.right)
        u.right = area->left;
    if (emptyRect(u))
        clearRegion(w);
}

} // namespace vtl

using namespace vtl;

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    VTL_TRACE(user, "InvalidateRect", hwnd, vtl::trace::Rect{rect}, erase);
    if (!hwnd) {
        for (const WindowRef& w : allWindows()) {
            if (!w->parent)
                invalidateArea(w, nullptr, erase != FALSE);
        }
        return vtlTraceCall_.result(TRUE);
    }
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    invalidateArea(w, rect, erase != FALSE);
    return vtlTraceCall_.result(TRUE);
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    VTL_TRACE(user, "ValidateRect", hwnd, vtl::trace::Rect{rect});
    if (!hwnd)
        return vtlTraceCall_.result(TRUE); // the desktop's own region, which no game paints
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    validateArea(*w, rect);
    return vtlTraceCall_.result(TRUE);
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL)
{
    VTL_TRACE(user, "GetUpdateRect", hwnd, vtl::trace::Rect{rect});
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (rect)
        *rect = w->needsPaint ? w->updateRect : RECT{0, 0, 0, 0};
    return vtlTraceCall_.result(w->needsPaint ? TRUE : FALSE);
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps)
{
    VTL_TRACE(user, "BeginPaint", hwnd, ps);
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(nullptr);
    }
    if (!ps)
        return vtlTraceCall_.result(nullptr);
    std::memset(ps, 0, sizeof *ps);
    HDC dc = GetDC(hwnd);
    ps->hdc = dc;
    ps->rcPaint = w->needsPaint ? w->updateRect : RECT{0, 0, 0, 0};
    bool erase = w->needsErase;
    validateArea(*w, nullptr);
    // The background is the procedure's to erase when WM_ERASEBKGND says
    // it did not.
    if (erase)
        ps->fErase = deliver(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    return vtlTraceCall_.result(dc);
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps)
{
    VTL_TRACE(user, "EndPaint", hwnd, ps);
    if (!ps)
        return vtlTraceCall_.result(FALSE);
    if (ps->hdc)
        ReleaseDC(hwnd, ps->hdc);
    return vtlTraceCall_.result(TRUE);
}

BOOL UpdateWindow(HWND hwnd)
{
    VTL_TRACE(user, "UpdateWindow", hwnd);
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (testing::user::intercept(Op::UpdateWindow))
        return vtlTraceCall_.result(FALSE);
    // Sent, not posted; whether the region is then valid is the
    // procedure's doing.
    if (w->needsPaint && (w->style & WS_VISIBLE) && !(w->style & WS_MINIMIZE))
        deliver(w, WM_PAINT, 0, 0);
    return vtlTraceCall_.result(TRUE);
}
