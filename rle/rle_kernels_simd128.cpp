// The RLE kernels built for WebAssembly's SIMD (16-byte vectors).
#include "rle/rle_kernels.h"

#if defined(__wasm_simd128__)
#define VTL_VEC_BYTES 16
#define VTL_VEC_ISA "simd128"
#include "rle/rle_kernels_vector.h"

const vtl::RleKernels* vtl::rleSimd128Kernels()
{
    static const RleKernels kernels = makeRleVectorKernels();
    return &kernels;
}
#else
const vtl::RleKernels* vtl::rleSimd128Kernels() { return nullptr; }
#endif
