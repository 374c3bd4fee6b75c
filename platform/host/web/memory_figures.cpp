// The machine's memory in a page: the program's WebAssembly memory is all
// of it.  What it may grow to is the physical memory, what it has not yet
// taken of that is available, and there is no swap.
#include "platform/host/system_figures.h"

#include <emscripten/heap.h>

namespace vtl::host {

MemoryFigures memoryFigures()
{
    MemoryFigures figures;
    const uint64_t size = emscripten_get_heap_size();
    const uint64_t most = emscripten_get_heap_max();
    figures.totalPhysical = most;
    figures.availablePhysical = most > size ? most - size : 0;
    figures.processResident = size;
    return figures;
}

} // namespace vtl::host
