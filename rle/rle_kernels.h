// The RLE blitters' kernels and the choice of the code path that runs them.
//
// A blitter places the image once, then hands the placement to one kernel:
// the run walk with the operation's work on an opaque run and on a level run
// compiled into it, so a run costs no call.  Every kernel exists as plain C
// on the effect tables and, on x86-64, as SSE2, SSSE3 and AVX2 code (in
// WebAssembly, as SIMD code) that
// redoes the tables' per-field floor arithmetic in vector lanes.  All paths
// give the same bytes.  The path is the one every kernel family runs
// (<vantrel/seam/code_path.h>).
#ifndef VANTREL_RLE_RLE_KERNELS_H
#define VANTREL_RLE_RLE_KERNELS_H

#include <cstdint>

#include "rle/rle_walk.h"

namespace vtl {

enum RleOp {
    RLE_NO_EFFECTS, // p as stored
    RLE_NORMAL,     // opaque p; level p + complement(d, a)
    RLE_HALF,       // half(p) + half(d); level half(p) + complement(d, a / 2)
    RLE_SHADOW,     // half(d); level complement(d, a / 2)
    RLE_FADE,       // fade(p, level); level pixels add complement(d, level)
    RLE_BLEND,      // fade(p, level) + complement(d, level, or level x a)
    RLE_COLOR,      // the tint faded by colorLevel (x a) over complement(d, ...)
    RLE_OP_COUNT
};

// What a kernel needs besides the placement; filled once per call.
struct RleArgs {
    unsigned level = 0;      // fade or blend level
    unsigned colorLevel = 0; // tint level
    unsigned long color = 0; // tint colour as the caller packed it
    uint32_t half = 0;       // halving mask of 16-bit pixels (HalfMask)
};

using RleDrawFn = void (*)(const RlePlacement& place, const RleArgs& args);

// One code path: a kernel per operation for each pixel size and layout.
struct RleKernels {
    RleDrawFn bits8[RLE_OP_COUNT];
    RleDrawFn rgb555[RLE_OP_COUNT]; // 5-5-5, either channel order
    RleDrawFn rgb565[RLE_OP_COUNT]; // 5-6-5, either channel order
    RleDrawFn bits24[RLE_OP_COUNT];
    RleDrawFn bits32[RLE_OP_COUNT];
};

// The kernel for an operation on a surface of the given depth and format
// code, from the active path; null for a depth nothing is drawn on.
RleDrawFn rleKernel(RleOp op, unsigned bitsPerPixel, unsigned formatCode);

// The paths themselves.
const RleKernels& rleScalarKernels();
const RleKernels* rleSse2Kernels(); // null where the build has no x86 vectors
const RleKernels* rleSsse3Kernels();
const RleKernels* rleAvx2Kernels();
const RleKernels* rleSimd128Kernels(); // null where the build has no WebAssembly SIMD

} // namespace vtl

#endif
