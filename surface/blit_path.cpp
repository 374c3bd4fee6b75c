// Picks the row kernels of the active code path (<vantrel/seam/code_path.h>).
#include <vantrel/pixelformat.h>
#include <vantrel/seam/code_path.h>

#include "surface/blit_rows.h"

namespace vtl {
namespace {

const RowKernels& active()
{
    static const RowKernels* const byPath[kCodePathCount] = {&scalarKernels(), sse2Kernels(), ssse3Kernels(),
                                                             avx2Kernels(), simd128Kernels()};
    return *activeKernels(byPath);
}

} // namespace

RowFn rowKernel(BlitOp op, unsigned bitsPerPixel, unsigned formatCode)
{
    const RowKernels& k = active();
    const RowKernels& plain = scalarKernels();
    // The vector kernels know the field layout from the format code; a
    // 16-bit surface without a recognised code gets the table-driven path,
    // which is right for whatever layout the tables were built for.
    switch (bitsPerPixel) {
    case 8:
        return formatCode == PF_PAL8 && k.bits8[op] ? k.bits8[op] : plain.bits8[op];
    case 16:
        switch (formatCode & ~PF_BGR) {
        case PF_RGB555:
            return k.rgb555[op] ? k.rgb555[op] : plain.rgb555[op];
        case PF_RGB565:
            return k.rgb565[op] ? k.rgb565[op] : plain.rgb565[op];
        default:
            return plain.rgb565[op];
        }
    default:
        return nullptr;
    }
}

LutRowFn lutRowKernel(unsigned formatCode)
{
    const RowKernels& k = active();
    const RowKernels& plain = scalarKernels();
    switch (formatCode & ~PF_BGR) {
    case PF_RGB555:
        return k.lut555 ? k.lut555 : plain.lut555;
    case PF_RGB565:
        return k.lut565 ? k.lut565 : plain.lut565;
    default:
        return plain.lut565;
    }
}

QuadrantRowFn quadrantRowKernel(unsigned bitsPerPixel, unsigned formatCode)
{
    const RowKernels& k = active();
    const RowKernels& plain = scalarKernels();
    switch (bitsPerPixel) {
    case 8:
        return formatCode == PF_PAL8 && k.quadrant8 ? k.quadrant8 : plain.quadrant8;
    case 16:
        switch (formatCode & ~PF_BGR) {
        case PF_RGB555:
            return k.quadrant555 ? k.quadrant555 : plain.quadrant555;
        case PF_RGB565:
            return k.quadrant565 ? k.quadrant565 : plain.quadrant565;
        default:
            return plain.quadrant565;
        }
    case 24:
        return k.quadrant24 ? k.quadrant24 : plain.quadrant24;
    default:
        return nullptr;
    }
}

} // namespace vtl
