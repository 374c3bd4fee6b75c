// Row kernels of the surface blits and the choice of the code path that runs
// them.
//
// A blit member clips once, then hands each row to one kernel: w pixels of
// source (and, for the alpha blits, w alpha bytes) combined into w pixels of
// destination.  Every kernel exists as plain C on the effect tables and, on
// x86-64, as SSE2, SSSE3 and AVX2 code (in WebAssembly, as SIMD code) that
// redoes the tables' per-field floor arithmetic in vector registers.  All paths give the same bytes; the
// code-path chooser (<vantrel/seam/code_path.h>) says which one runs.
#ifndef VANTREL_SURFACE_BLIT_ROWS_H
#define VANTREL_SURFACE_BLIT_ROWS_H

#include <cstdint>

namespace vtl {

enum BlitOp {
    OP_TRANS,              // d = s unless s is the key
    OP_HALF,               // d = half(s) + half(d)
    OP_TRANS_HALF,         // the same, keyed
    OP_SHADOW,             // d = half(d) where s is not the key
    OP_FADE,               // d = fade(s, level)
    OP_FADE_TRANS,         // keyed
    OP_BLEND,              // d = fade(s, level) + fade(d, levelBar)
    OP_BLEND_TRANS,        // keyed
    OP_ALPHA,              // a != 0: d = fade(s, a) + fade(d, alphaBase - a)
    OP_ALPHA_SRC,          // keyed
    OP_COLOR_BLEND,        // d = fade(s, level) + color
    OP_COLOR_TRANS_BLEND,  // keyed
    OP_COUNT
};

// What a row kernel needs besides the pixels; filled once per call.
struct RowArgs {
    uint32_t half;      // halving mask, the field pattern repeated over 32 bits
    uint16_t key;       // colour key (8-bit surfaces: its low byte)
    uint16_t level;     // weight of the source in fades and blends
    uint16_t levelBar;  // weight of the destination in the blends
    uint16_t alphaBase; // 256 on 16-bit surfaces, 255 on 8-bit ones
    uint16_t color;     // the constant term of the colour blends, already faded
};

using RowFn = void (*)(uint8_t* dst, const uint8_t* src, const uint8_t* alpha, unsigned n, const RowArgs& args);

// A lookup image's colour table as its row kernel reads it, made once per
// call: each entry's colour already faded by the entry's alpha, and that
// alpha, by which the destination is faded to its complement.
struct LutTable {
    uint16_t colour[256];
    uint16_t alpha[256];
};

// d = colour[i] + complement(d, alpha[i]) for each index i of the row.
using LutRowFn = void (*)(uint8_t* dst, const uint8_t* index, unsigned n, const LutTable& table);

// One row of a quadrant blend: d = fade(b, k) + complement(a, k) with k read
// from `map`, which steps by `mapStep` (+1 or -1) per pixel.
using QuadrantRowFn = void (*)(uint8_t* dst, const uint8_t* a, const uint8_t* b, const uint8_t* map, int mapStep,
                               unsigned n);

// One code path: a kernel per operation for 8-bit surfaces and for each
// 16-bit layout, the lookup-image rows (16 bits only) and the quadrant-blend
// rows.  A null entry falls back to the plain kernel.
struct RowKernels {
    RowFn bits8[OP_COUNT];
    RowFn rgb555[OP_COUNT]; // 5-5-5, either channel order
    RowFn rgb565[OP_COUNT]; // 5-6-5, either channel order
    LutRowFn lut555, lut565;
    QuadrantRowFn quadrant8, quadrant555, quadrant565, quadrant24;
};

// The kernel for an operation on a surface of the given depth and format
// code, from the active code path (<vantrel/seam/code_path.h>).  Null when
// the depth has no such kernel.
RowFn rowKernel(BlitOp op, unsigned bitsPerPixel, unsigned formatCode);
LutRowFn lutRowKernel(unsigned formatCode);
QuadrantRowFn quadrantRowKernel(unsigned bitsPerPixel, unsigned formatCode); // null for 32 bits

// The paths themselves.
const RowKernels& scalarKernels();
const RowKernels* sse2Kernels();  // null where the build has no x86 vectors
const RowKernels* ssse3Kernels();
const RowKernels* avx2Kernels();
const RowKernels* simd128Kernels(); // null where the build has no WebAssembly SIMD

} // namespace vtl

#endif
