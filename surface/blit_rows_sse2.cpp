// The row kernels built for SSE2 (16-byte vectors).
#include "surface/blit_rows.h"

#if defined(__x86_64__) || defined(__i386__)
#define VTL_VEC_BYTES 16
#define VTL_VEC_ISA "sse2"
#include "surface/blit_rows_vector.h"

const vtl::RowKernels* vtl::sse2Kernels()
{
    static const RowKernels kernels = makeVectorKernels();
    return &kernels;
}
#else
const vtl::RowKernels* vtl::sse2Kernels() { return nullptr; }
#endif
