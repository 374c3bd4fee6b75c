// Picks the widening kernels for this processor.  The choice is made once,
// on first use; tests and benchmarks may force another supported path.
#include "platform/ddraw/widen_rows.h"

#include <vantrel/seam/processor.h>

#include <atomic>
#include <initializer_list>

namespace vtl {
namespace {

bool cpuHas(WidenPath path)
{
    switch (path) {
    case WidenPath::Sse2:
        return processorHas(VectorSet::Sse2);
    case WidenPath::Avx2:
        return processorHas(VectorSet::Avx2);
    default:
        return false;
    }
}

const WidenKernels* kernelsOf(WidenPath path)
{
    switch (path) {
    case WidenPath::Sse2:
        return sse2WidenKernels();
    case WidenPath::Avx2:
        return avx2WidenKernels();
    default:
        return nullptr;
    }
}

// Ranked by BM_Present16Widen: the widest vectors are fastest.
WidenPath bestPath()
{
    for (WidenPath p : {WidenPath::Avx2, WidenPath::Sse2})
        if (widenPathSupported(p))
            return p;
    return WidenPath::Table;
}

// Frames may be presented from more than one thread: the processor's best
// path is found once under the guard of a local static, and a forced path is
// an atomic (Auto until a test or benchmark forces one).
WidenPath best()
{
    static const WidenPath path = bestPath();
    return path;
}

std::atomic<WidenPath> gForced{WidenPath::Auto};

} // namespace

bool widenPathSupported(WidenPath path)
{
    if (path == WidenPath::Auto || path == WidenPath::Table)
        return true;
    return kernelsOf(path) != nullptr && cpuHas(path);
}

bool setWidenPath(WidenPath path)
{
    if (!widenPathSupported(path))
        return false;
    gForced = path;
    return true;
}

WidenPath activeWidenPath()
{
    const WidenPath forced = gForced;
    return forced == WidenPath::Auto ? best() : forced;
}

WidenRowFn widenRowKernel(const PixelLayout& layout)
{
    const WidenKernels* kernels = kernelsOf(activeWidenPath());
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
