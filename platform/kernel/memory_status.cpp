// GlobalMemoryStatus: the host's figures as a 32-bit Windows program that
// is not large-address aware reads them (system.h).
#include "platform/kernel/trace.h"

#include "platform/host/system_figures.h"

#include <vantrel/win32/system.h>

#include <algorithm>

namespace {

constexpr uint64_t kTwoGigabytes = 0x7FFFFFFF;
// A 32-bit program's user address space, less the 64 KB at each end
// Windows keeps out of reach.
constexpr uint64_t kAddressSpace = 0x7FFE0000;

SIZE_T clamped(uint64_t bytes)
{
    return static_cast<SIZE_T>(std::min(bytes, kTwoGigabytes));
}

} // namespace

void GlobalMemoryStatus(LPMEMORYSTATUS status)
{
    VTL_TRACE(kernel, "GlobalMemoryStatus", static_cast<const void*>(status));
    if (!status)
        return;
    const vtl::host::MemoryFigures host = vtl::host::memoryFigures();
    status->dwLength = sizeof *status;
    const uint64_t total = host.totalPhysical;
    const uint64_t available = std::min(host.availablePhysical, total);
    status->dwMemoryLoad = total ? static_cast<DWORD>((total - available) * 100 / total) : 0;
    status->dwTotalPhys = clamped(total);
    status->dwAvailPhys = clamped(available);
    status->dwTotalPageFile = clamped(total + host.totalSwap);
    status->dwAvailPageFile = clamped(available + host.freeSwap);
    status->dwTotalVirtual = clamped(kAddressSpace);
    status->dwAvailVirtual = clamped(kAddressSpace - std::min(host.processResident, kAddressSpace));
}
