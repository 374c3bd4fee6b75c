// Picks the widening kernels of the active code path
// (<vantrel/seam/code_path.h>).
#include "platform/ddraw/widen_rows.h"

#include <vantrel/seam/code_path.h>

namespace vtl {

WidenRowFn widenRowKernel(const PixelLayout& layout)
{
    // The table is the plain path; SSSE3 adds nothing the widening uses.
    static const WidenKernels* const byPath[kCodePathCount] = {nullptr, sse2WidenKernels(), nullptr,
                                                               avx2WidenKernels(), simd128WidenKernels()};
    const WidenKernels* kernels = activeKernels(byPath);
    if (!kernels || layout.bits != 16)
        return nullptr;
    if (layout.green == 0x07E0) {
        if (layout.red == 0xF800 && layout.blue == 0x001F)
            return kernels->rgb565;
        if (layout.red == 0x001F && layout.blue == 0xF800)
            return kernels->bgr565;
    } else if (layout.green == 0x03E0) {
        if (layout.red == 0x7C00 && layout.blue == 0x001F)
            return kernels->rgb555;
        if (layout.red == 0x001F && layout.blue == 0x7C00)
            return kernels->bgr555;
    }
    return nullptr;
}

} // namespace vtl
