// The run walk shared by every RLE blitter: where an image lands on a
// surface, which of its columns and rows are visible, and the loop that hands
// whole runs (or the visible part of a run) to a pixel operation.
//
// An operation is a type with
//   static constexpr int kBytes;                 pixel size (1..4)
//   void opaque(uint8_t* d, const uint8_t* s, int n);  n stored pixels
//   void level(uint8_t* d, const uint8_t* s, int n);   n (level byte, pixel) pairs
// so the per-pixel work of a run happens in one tight loop and the walk pays
// per run, not per pixel.
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

template <class Op>
void walkRuns(const RlePlacement& p, Op& op)
{
    constexpr int B = Op::kBytes;
    const uint8_t* s = p.runs;
    uint8_t* row = p.dst;

    if (!p.clipped()) {
        // Whole rows: runs go to the operation as they are.  A row whose runs
        // add up to more than the width (never made by the library) is cut
        // at the width rather than drawn past the row's end.
        for (int r = 0; r < p.height; ++r, row += p.pitch) {
            uint8_t* d = row;
            int left = p.width;
            for (;;) {
                const unsigned w = readWord(s);
                s += 2;
                if (w == 0)
                    break;
                const int n = static_cast<int>(w & RLE_COUNT);
                const int m = n < left ? n : left;
                if (w & RLE_LEVEL) {
                    op.level(d, s, m);
                    s += n * (1 + B);
                } else if (w & RLE_SKIP) {
                    // nothing to read
                } else {
                    op.opaque(d, s, m);
                    s += n * B;
                }
                d += m * B;
                left -= m;
            }
        }
        return;
    }

    for (int r = 0; r < p.firstRow; ++r)
        s = skipRow<B>(s);
    // Each run is cut to the visible columns; what lies outside is only read
    // past.  The result is the same as testing every pixel's column.
    for (int r = p.firstRow; r < p.endRow; ++r, row += p.pitch) {
        int col = 0;
        for (;;) {
            const unsigned w = readWord(s);
            s += 2;
            if (w == 0)
                break;
            const int n = static_cast<int>(w & RLE_COUNT);
            const int lo = col > p.firstCol ? col : p.firstCol;
            const int hi = col + n < p.endCol ? col + n : p.endCol;
            if (w & RLE_LEVEL) {
                if (lo < hi)
                    op.level(row + (lo - p.firstCol) * B, s + (lo - col) * (1 + B), hi - lo);
                s += n * (1 + B);
            } else if (!(w & RLE_SKIP)) {
                if (lo < hi)
                    op.opaque(row + (lo - p.firstCol) * B, s + (lo - col) * B, hi - lo);
                s += n * B;
            }
            col += n;
        }
    }
}

} // namespace vtl

#endif
