// IsBadReadPtr and IsBadWritePtr, answered from the host's map of the
// process rather than by touching the memory: an honest answer for null and
// for pages that are not mapped or not accessible, without the faults
// Windows catches inside the call.
#include "platform/kernel/trace.h"

#include "platform/host/memory_pages.h"

#include <vantrel/win32/memory.h>

namespace {

BOOL isBad(const void* address, UINT_PTR size, unsigned needed)
{
    if (size == 0)
        return FALSE;
    if (!address)
        return TRUE;
    const uintptr_t start = reinterpret_cast<uintptr_t>(address);
    if (size - 1 > UINTPTR_MAX - start)
        return TRUE;
    const uintptr_t last = start + (size - 1);
    for (uintptr_t at = start;;) {
        unsigned access = 0;
        uintptr_t regionStart = 0, regionEnd = 0;
        if (!vtl::host::pageAccess(reinterpret_cast<const void*>(at), access, regionStart, regionEnd) ||
            (access & needed) != needed)
            return TRUE;
        if (regionEnd == 0 || regionEnd - 1 >= last)
            return FALSE;
        at = regionEnd;
    }
}

} // namespace

BOOL IsBadReadPtr(const void* address, UINT_PTR size)
{
    VTL_TRACE(kernel, "IsBadReadPtr", address, size);
    return vtlTraceCall_.result(isBad(address, size, vtl::host::kRead));
}

BOOL IsBadWritePtr(LPVOID address, UINT_PTR size)
{
    VTL_TRACE(kernel, "IsBadWritePtr", address, size);
    return vtlTraceCall_.result(isBad(address, size, vtl::host::kWrite));
}
