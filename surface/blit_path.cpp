// Picks the row kernels for this processor.  The choice is made once, on
// first use; tests and benchmarks may force another supported path.
#include <vantrel/pixelformat.h>
#include <vantrel/seam/processor.h>

#include "surface/blit_rows.h"

#include <initializer_list>

namespace vtl {
namespace {

bool cpuHas(BlitPath path)
{
    switch (path) {
    case BlitPath::Sse2:
        return processorHas(VectorSet::Sse2);
    case BlitPath::Ssse3:
        return processorHas(VectorSet::Ssse3);
    case BlitPath::Avx2:
        return processorHas(VectorSet::Avx2);
    default:
        return false;
    }
}

const RowKernels* kernelsOf(BlitPath path)
{
    switch (path) {
    case BlitPath::Scalar:
        return &scalarKernels();
    case BlitPath::Sse2:
        return sse2Kernels();
    case BlitPath::Ssse3:
        return ssse3Kernels();
    case BlitPath::Avx2:
        return avx2Kernels();
    default:
        return nullptr;
    }
}

// Ranked by BM_Surface_BlendBltPath: the widest vectors are fastest, and
// the SSSE3 build of the kernels measures a little ahead of the SSE2 one.
BlitPath bestPath()
{
    for (BlitPath p : {BlitPath::Avx2, BlitPath::Ssse3, BlitPath::Sse2})
        if (blitPathSupported(p))
            return p;
    return BlitPath::Scalar;
}

BlitPath gPath = BlitPath::Auto;
const RowKernels* gKernels = nullptr;

const RowKernels& active()
{
    if (!gKernels) {
        gPath = bestPath();
        gKernels = kernelsOf(gPath);
    }
    return *gKernels;
}

} // namespace

bool blitPathSupported(BlitPath path)
{
    if (path == BlitPath::Auto || path == BlitPath::Scalar)
        return true;
    return kernelsOf(path) != nullptr && cpuHas(path);
}

bool setBlitPath(BlitPath path)
{
    if (!blitPathSupported(path))
        return false;
    gPath = path == BlitPath::Auto ? bestPath() : path;
    gKernels = kernelsOf(gPath);
    return true;
}

BlitPath activeBlitPath()
{
    active();
    return gPath;
}

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
