// The row kernels built for WebAssembly's SIMD (16-byte vectors).
#include "surface/blit_rows.h"

#if defined(__wasm_simd128__)
#define VTL_VEC_BYTES 16
#define VTL_VEC_ISA "simd128"
#include "surface/blit_rows_vector.h"

const vtl::RowKernels* vtl::simd128Kernels()
{
    static const RowKernels kernels = makeVectorKernels();
    return &kernels;
}
#else
const vtl::RowKernels* vtl::simd128Kernels() { return nullptr; }
#endif
