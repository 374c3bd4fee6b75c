// The RLE kernels built for AVX2 (32-byte vectors).
#include "rle/rle_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#define VTL_VEC_BYTES 32
#define VTL_VEC_ISA "avx2"
#include "rle/rle_kernels_vector.h"

const vtl::RleKernels* vtl::rleAvx2Kernels()
{
    static const RleKernels kernels = makeRleVectorKernels();
    return &kernels;
}
#else
const vtl::RleKernels* vtl::rleAvx2Kernels() { return nullptr; }
#endif
