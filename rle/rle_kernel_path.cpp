// Picks the RLE kernels of the active code path (<vantrel/seam/code_path.h>).
#include <vantrel/pixelformat.h>
#include <vantrel/seam/code_path.h>

#include "rle/rle_kernels.h"

namespace vtl {

RleDrawFn rleKernel(RleOp op, unsigned bitsPerPixel, unsigned formatCode)
{
    static const RleKernels* const byPath[kCodePathCount] = {&rleScalarKernels(), rleSse2Kernels(),
                                                             rleSsse3Kernels(), rleAvx2Kernels(),
                                                             rleSimd128Kernels()};
    const RleKernels& k = *activeKernels(byPath);
    const RleKernels& plain = rleScalarKernels();
    // The vector kernels know the field layout from the format code; a
    // surface without a recognised code gets the table-driven path, which is
    // right for whatever layout the tables were built for.
    switch (bitsPerPixel) {
    case 8:
        return formatCode == PF_PAL8 ? k.bits8[op] : plain.bits8[op];
    case 16:
        switch (formatCode & ~PF_BGR) {
        case PF_RGB555: return k.rgb555[op];
        case PF_RGB565: return k.rgb565[op];
        default: return plain.rgb565[op];
        }
    case 24:
        return k.bits24[op];
    case 32:
        return k.bits32[op];
    default:
        return nullptr;
    }
}

} // namespace vtl
