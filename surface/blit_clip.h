// Clipping shared by the surface blits, the scaled blits and the lookup-image
// blit, and the library-wide rectangle they use when given none.
#ifndef VANTREL_SURFACE_BLIT_CLIP_H
#define VANTREL_SURFACE_BLIT_CLIP_H

#include <vantrel/win32/types.h>

#include <cstdint>

namespace vtl {

// The rectangle used in place of a missing source rectangle.  One for the
// whole library, overwritten by every blit that is given none, and so left
// holding that blit's clipped source area.
tagRECT& wholeSourceRect();

// `rect` clamped in place to a width x height source, or the shared
// rectangle set to the whole source when `rect` is null.
tagRECT* clampSourceRect(tagRECT* rect, LONG width, LONG height);

// A clipped blit: the first source pixel, the first destination pixel and
// the size of the area, in pixels.
struct BlitArea {
    LONG srcX, srcY;
    LONG dstX, dstY;
    LONG width, height;
};

// The clipping of the surface-to-surface blits: against (0, 0) to
// (clipWidth, clipHeight) of the destination, the caller's rectangle (or the
// shared one) updated at each step.  False when nothing is left to draw.
bool clipToClipSize(tagRECT* rect, LONG x, LONG y, LONG clipWidth, LONG clipHeight, BlitArea* area);

} // namespace vtl

#endif
