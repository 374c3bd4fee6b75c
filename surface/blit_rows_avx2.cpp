// The row kernels built for AVX2 (32-byte vectors).
#include "surface/blit_rows.h"

#if defined(__x86_64__) || defined(__i386__)
#define VTL_VEC_BYTES 32
#define VTL_VEC_ISA "avx2"
#include "surface/blit_rows_vector.h"

const vtl::RowKernels* vtl::avx2Kernels()
{
    static const RowKernels kernels = makeVectorKernels();
    return &kernels;
}
#else
const vtl::RowKernels* vtl::avx2Kernels() { return nullptr; }
#endif
