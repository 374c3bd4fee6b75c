// The row kernels built for SSSE3 (16-byte vectors).
#include "surface/blit_rows.h"

#if defined(__x86_64__) || defined(__i386__)
#define VTL_VEC_BYTES 16
#define VTL_VEC_ISA "ssse3"
#include "surface/blit_rows_vector.h"

const vtl::RowKernels* vtl::ssse3Kernels()
{
    static const RowKernels kernels = makeVectorKernels();
    return &kernels;
}
#else
const vtl::RowKernels* vtl::ssse3Kernels() { return nullptr; }
#endif
