// The rectangle helpers (rectangles.h).  Pure arithmetic, not traced: games
// call them in every frame's drawing.
#include <vantrel/win32/rectangles.h>

namespace {

bool empty(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

} // namespace

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom)
{
    if (!rect)
        return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rect)
{
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT destination, const RECT* source)
{
    if (!destination || !source)
        return FALSE;
    *destination = *source;
    return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy)
{
    if (!rect)
        return FALSE;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy)
{
    if (!rect)
        return FALSE;
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL IntersectRect(LPRECT destination, const RECT* a, const RECT* b)
{
    if (!destination || !a || !b)
        return FALSE;
    RECT r{a->left > b->left ? a->left : b->left, a->top > b->top ? a->top : b->top,
           a->right < b->right ? a->right : b->right, a->bottom < b->bottom ? a->bottom : b->bottom};
    if (empty(*a) || empty(*b) || empty(r)) {
        *destination = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *destination = r;
    return TRUE;
}

BOOL UnionRect(LPRECT destination, const RECT* a, const RECT* b)
{
    if (!destination || !a || !b)
        return FALSE;
    if (empty(*a) && empty(*b)) {
        *destination = RECT{0, 0, 0, 0};
        return FALSE;
    }
    if (empty(*a)) {
        *destination = *b;
        return TRUE;
    }
    if (empty(*b)) {
        *destination = *a;
        return TRUE;
    }
    *destination = RECT{a->left < b->left ? a->left : b->left, a->top < b->top ? a->top : b->top,
                        a->right > b->right ? a->right : b->right, a->bottom > b->bottom ? a->bottom : b->bottom};
    return TRUE;
}

BOOL SubtractRect(LPRECT destination, const RECT* a, const RECT* b)
{
    if (!destination || !a || !b)
        return FALSE;
    RECT r = *a;
    RECT cut;
    if (IntersectRect(&cut, a, b)) {
        const bool fullWidth = cut.left == r.left && cut.right == r.right;
        const bool fullHeight = cut.top == r.top && cut.bottom == r.bottom;
        if (fullWidth && fullHeight) {
            r = RECT{0, 0, 0, 0};
        } else if (fullWidth) {
            if (cut.top == r.top)
                r.top = cut.bottom;
            else if (cut.bottom == r.bottom)
                r.bottom = cut.top;
        } else if (fullHeight) {
            if (cut.left == r.left)
                r.left = cut.right;
            else if (cut.right == r.right)
                r.right = cut.left;
        }
    }
    *destination = r;
    return !empty(r);
}

BOOL PtInRect(const RECT* rect, POINT point)
{
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}

BOOL EqualRect(const RECT* a, const RECT* b)
{
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL IsRectEmpty(const RECT* rect)
{
    return !rect || empty(*rect);
}
