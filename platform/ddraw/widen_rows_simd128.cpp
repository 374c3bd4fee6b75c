// The widening kernels built for WebAssembly's SIMD (16-byte vectors).
#include "platform/ddraw/widen_rows.h"

#if defined(__wasm_simd128__)
#define VTL_VEC_BYTES 16
#define VTL_VEC_ISA "simd128"
#include "platform/ddraw/widen_rows_vector.h"

const vtl::WidenKernels* vtl::simd128WidenKernels()
{
    static const WidenKernels kernels = makeWidenKernels();
    return &kernels;
}
#else
const vtl::WidenKernels* vtl::simd128WidenKernels() { return nullptr; }
#endif
