// Row kernels that widen 16-bit frame pixels to 32-bit xRGB for presentation,
// and the choice of the code path that runs them.
//
// The four common layouts (5-6-5 and 5-5-5, red high or blue high) have
// vector kernels for SSE2, AVX2 and WebAssembly's SIMD that repeat each field's top bits in
// registers.  The 65,536-entry table of present_convert.cpp defines the
// result: it serves every other layout, every processor without those
// vectors, and the plain code path, which tests and benchmarks may force.
#ifndef VANTREL_PLATFORM_DDRAW_WIDEN_ROWS_H
#define VANTREL_PLATFORM_DDRAW_WIDEN_ROWS_H

#include "platform/ddraw/pixel_layout.h"

#include <cstdint>

namespace vtl {

// n pixels of 16 bits (at any alignment) into n pixels of 0x00RRGGBB.
using WidenRowFn = void (*)(uint32_t* dst, const uint8_t* src, unsigned n);

// One code path's kernel per layout; the one to use is picked by
// widenRowKernel, which knows the masks.
struct WidenKernels {
    WidenRowFn rgb565, bgr565, rgb555, bgr555;
};

// The kernel of the active code path (<vantrel/seam/code_path.h>) for a
// 16-bit layout; null on the plain path and for layouts without a vector
// kernel (the caller then uses the table).
WidenRowFn widenRowKernel(const PixelLayout& layout);

// The paths themselves: null where the build has no such vectors.
const WidenKernels* sse2WidenKernels();
const WidenKernels* avx2WidenKernels();
const WidenKernels* simd128WidenKernels();

} // namespace vtl

#endif
