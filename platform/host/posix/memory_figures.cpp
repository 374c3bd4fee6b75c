// The machine's memory on Linux: sysinfo, /proc/meminfo and /proc/self/statm.
#include "platform/host/system_figures.h"

#include <cstdio>
#include <sys/sysinfo.h>

namespace vtl::host {

MemoryFigures memoryFigures()
{
    MemoryFigures figures;
    struct sysinfo info {};
    if (::sysinfo(&info) == 0) {
        figures.totalPhysical = uint64_t(info.totalram) * info.mem_unit;
        figures.availablePhysical = uint64_t(info.freeram + info.bufferram) * info.mem_unit;
        figures.totalSwap = uint64_t(info.totalswap) * info.mem_unit;
        figures.freeSwap = uint64_t(info.freeswap) * info.mem_unit;
    }
    // MemAvailable counts the page cache the kernel would give back, which
    // is what Windows reports as available.
    if (FILE* meminfo = std::fopen("/proc/meminfo", "r")) {
        char line[128];
        unsigned long long kib = 0;
        while (std::fgets(line, sizeof line, meminfo)) {
            if (std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1) {
                figures.availablePhysical = kib * 1024;
                break;
            }
        }
        std::fclose(meminfo);
    }
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        unsigned long long size = 0, resident = 0;
        if (std::fscanf(statm, "%llu %llu", &size, &resident) == 2)
            figures.processResident = resident * pageSize();
        std::fclose(statm);
    }
    return figures;
}

} // namespace vtl::host
