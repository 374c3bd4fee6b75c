// The widening kernels built for AVX2 (32-byte vectors).
#include "platform/ddraw/widen_rows.h"

#if defined(__x86_64__) || defined(__i386__)
#define VTL_VEC_BYTES 32
#define VTL_VEC_ISA "avx2"
#include "platform/ddraw/widen_rows_vector.h"

const vtl::WidenKernels* vtl::avx2WidenKernels()
{
    static const WidenKernels kernels = makeWidenKernels();
    return &kernels;
}
#else
const vtl::WidenKernels* vtl::avx2WidenKernels() { return nullptr; }
#endif
