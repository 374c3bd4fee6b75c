// Clipping of the surface blits.  Positions and rectangle edges are signed
// 32-bit, so the sums are taken in 64 bits: a far-off position is then just
// "outside" instead of wrapping round into the surface.
#include "surface/blit_clip.h"

namespace vtl {

tagRECT& wholeSourceRect()
{
    static tagRECT rect;
    return rect;
}

tagRECT* clampSourceRect(tagRECT* rect, LONG width, LONG height)
{
    if (!rect) {
        rect = &wholeSourceRect();
        *rect = tagRECT{0, 0, width, height};
        return rect;
    }
    if (rect->left < 0)
        rect->left = 0;
    if (rect->top < 0)
        rect->top = 0;
    if (rect->right > width)
        rect->right = width;
    if (rect->bottom > height)
        rect->bottom = height;
    return rect;
}

bool clipToClipSize(tagRECT* r, LONG x, LONG y, LONG clipWidth, LONG clipHeight, BlitArea* area)
{
    int64_t w = int64_t{r->right} - r->left;
    int64_t h = int64_t{r->bottom} - r->top;
    if (w <= 0 || h <= 0)
        return false;
    int64_t dx = x;
    int64_t dy = y;
    if (dx < 0) {
        if (-dx >= w)
            return false;
        r->left = static_cast<LONG>(r->left - dx);
        w = int64_t{r->right} - r->left;
        dx = 0;
    } else if (dx >= clipWidth) {
        return false;
    }
    if (dy < 0) {
        if (-dy >= h)
            return false;
        r->top = static_cast<LONG>(r->top - dy);
        h = int64_t{r->bottom} - r->top;
        dy = 0;
    } else if (dy >= clipHeight) {
        return false;
    }
    if (dx + w >= clipWidth) {
        r->right = static_cast<LONG>(r->right + (clipWidth - dx - w));
        w = int64_t{r->right} - r->left;
    }
    if (dy + h >= clipHeight) {
        r->bottom = static_cast<LONG>(r->bottom + (clipHeight - dy - h));
        h = int64_t{r->bottom} - r->top;
    }
    if (w <= 0 || h <= 0) // a clip size of 0 (an empty surface's) leaves nothing
        return false;
    *area = BlitArea{r->left, r->top, static_cast<LONG>(dx), static_cast<LONG>(dy), static_cast<LONG>(w),
                     static_cast<LONG>(h)};
    return true;
}

} // namespace vtl
