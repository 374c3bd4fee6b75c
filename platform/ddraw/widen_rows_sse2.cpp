// The widening kernels built for SSE2 (16-byte vectors).
#include "platform/ddraw/widen_rows.h"

#if defined(__x86_64__) || defined(__i386__)
#define VTL_VEC_BYTES 16
#define VTL_VEC_ISA "sse2"
#include "platform/ddraw/widen_rows_vector.h"

const vtl::WidenKernels* vtl::sse2WidenKernels()
{
    static const WidenKernels kernels = makeWidenKernels();
    return &kernels;
}
#else
const vtl::WidenKernels* vtl::sse2WidenKernels() { return nullptr; }
#endif
