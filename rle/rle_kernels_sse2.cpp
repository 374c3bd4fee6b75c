// The RLE kernels built for SSE2 (16-byte vectors).
#include "rle/rle_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#define VTL_VEC_BYTES 16
#define VTL_VEC_ISA "sse2"
#include "rle/rle_kernels_vector.h"

const vtl::RleKernels* vtl::rleSse2Kernels()
{
    static const RleKernels kernels = makeRleVectorKernels();
    return &kernels;
}
#else
const vtl::RleKernels* vtl::rleSse2Kernels() { return nullptr; }
#endif
