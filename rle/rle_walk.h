// Where an RLE image lands on a surface and which of its columns and rows
// are visible: what every RLE blitter works out before its run walk
// (rle/rle_walk_runs.h).
#ifndef VANTREL_RLE_RLE_WALK_H
#define VANTREL_RLE_RLE_WALK_H

#include <cstdint>

#include <vantrel/bitplanefx.h>
#include <vantrel/rlefx.h>

namespace vtl {

// The visible part of an image placed on a surface.
struct RlePlacement {
    const uint8_t* runs;
    uint8_t* dst;      // surface byte where image pixel (firstCol, firstRow) goes
    long pitch;
    int width;         // image size
    int height;
    int firstCol, endCol;
    int firstRow, endRow;
    bool clipped() const
    {
        return firstCol != 0 || endCol != width || firstRow != 0 || endRow != height;
    }
};

// Places `image` with its top-left pixel at surface pixel `point`, visible
// inside [left, left + w) x [top, top + h) intersected with the surface
// itself (a clip rectangle set by hand beyond the surface cannot send the
// blitters outside the buffer).  `rejectW`/`rejectH` stand for the image's
// size in the wholly-outside test; `bytes` is the pixel size drawn.  False
// when nothing is visible.
bool placeRleImage(const BITPLANEFX& surface, const RLEFX& image, POINT point, long left, long top,
                   long w, long h, int64_t rejectW, int64_t rejectH, int bytes, RlePlacement& out);

// The pixel size of a surface's depth, or 0 for a depth nothing is drawn on.
inline int pixelBytes(const BITPLANEFX& surface)
{
    switch (surface.bitsPerPixel) {
    case 8: return 1;
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
    }
}

// The clip-rectangle placement used by every RLE blitter but the sized Blt.
inline bool placeInClip(const BITPLANEFX& surface, const RLEFX& image, POINT point, RlePlacement& out)
{
    return placeRleImage(surface, image, point, surface.clipX, surface.clipY, surface.clipWidth,
                         surface.clipHeight, image.width, image.height, pixelBytes(surface), out);
}

inline unsigned readWord(const uint8_t* p) { return p[0] | (unsigned{p[1]} << 8); }

// Steps over one row's runs without drawing; returns the next row.
template <int B>
inline const uint8_t* skipRow(const uint8_t* s)
{
    for (;;) {
        const unsigned w = readWord(s);
        s += 2;
        if (w == 0)
            return s;
        const unsigned n = w & RLE_COUNT;
        if (w & RLE_LEVEL)
            s += n * (1 + B);
        else if (!(w & RLE_SKIP))
            s += n * B;
    }
}

} // namespace vtl

#endif
