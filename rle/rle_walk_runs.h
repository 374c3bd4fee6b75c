// The run walk of every RLE blitter, written once and compiled for each code
// path by the file that includes it: that file first defines VTL_RLE_WALK_FN,
// the attributes of its path's functions (its instruction set), so that the
// operation's run work, compiled for the same set, is inlined into the walk
// and a run costs no call.  Everything here has internal linkage.
//
// An operation is a type with
//   static constexpr int kBytes;                        pixel size (1..4)
//   explicit Op(const RleArgs&);                        per-call set-up
//   void opaque(uint8_t* d, const uint8_t* s, int n);   n stored pixels
//   void level(uint8_t* d, const uint8_t* s, int n);    n (level byte, pixel) pairs
// so the per-pixel work of a run happens in one tight loop and the walk pays
// per run, not per pixel.
#ifndef VTL_RLE_WALK_FN
#error "define VTL_RLE_WALK_FN before including this file"
#endif

#include "rle/rle_kernels.h"
#include "rle/rle_walk.h"

namespace vtl {
namespace {

template <class Op>
VTL_RLE_WALK_FN void walkRuns(const RlePlacement& p, Op& op)
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

// A kernel of the table: the walk with one operation.
template <class Op>
VTL_RLE_WALK_FN void drawRuns(const RlePlacement& place, const RleArgs& args)
{
    Op op(args);
    walkRuns(place, op);
}

} // namespace
} // namespace vtl
