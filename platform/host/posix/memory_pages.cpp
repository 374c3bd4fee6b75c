// Pages on POSIX: mmap, mprotect and madvise, and /proc/self/maps for what
// the process may do with a page it did not map through these calls.
#include "platform/host/memory_pages.h"

#include <cstdio>
#include <sys/mman.h>

namespace vtl::host {

void* reservePages(void* at, size_t size, size_t alignment)
{
    if (at) {
        void* placed = ::mmap(at, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_FIXED_NOREPLACE,
                              -1, 0);
        if (placed == MAP_FAILED)
            return nullptr;
        if (placed != at) { // kernels before 4.17 take the flag as a hint
            ::munmap(placed, size);
            return nullptr;
        }
        return placed;
    }
    // Over-reserve by the alignment and give back both ends.
    const size_t padded = size + alignment;
    void* raw = ::mmap(nullptr, padded, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + alignment - 1) & ~(uintptr_t(alignment) - 1);
    if (aligned > start)
        ::munmap(raw, aligned - start);
    const uintptr_t end = start + padded;
    if (end > aligned + size)
        ::munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
    return reinterpret_cast<void*>(aligned);
}

void releasePages(void* base, size_t size)
{
    ::munmap(base, size);
}

bool protectPages(void* base, size_t size, unsigned access)
{
    int prot = PROT_NONE;
    if (access & kRead)
        prot |= PROT_READ;
    if (access & kWrite)
        prot |= PROT_WRITE;
    if (access & kExecute)
        prot |= PROT_EXEC;
    return ::mprotect(base, size, prot) == 0;
}

bool discardPages(void* base, size_t size)
{
    return ::madvise(base, size, MADV_DONTNEED) == 0 && ::mprotect(base, size, PROT_NONE) == 0;
}

bool pageAccess(const void* address, unsigned& access, uintptr_t& regionStart, uintptr_t& regionEnd)
{
    const uintptr_t at = reinterpret_cast<uintptr_t>(address);
    FILE* maps = std::fopen("/proc/self/maps", "r");
    if (!maps)
        return false;
    char line[512];
    uintptr_t previousEnd = 0;
    bool mapped = false;
    regionStart = 0;
    regionEnd = UINTPTR_MAX;
    while (std::fgets(line, sizeof line, maps)) {
        unsigned long start = 0, end = 0;
        char perms[5] = {};
        if (std::sscanf(line, "%lx-%lx %4s", &start, &end, perms) != 3)
            continue;
        if (at < start) {
            regionStart = previousEnd;
            regionEnd = start;
            break;
        }
        previousEnd = end;
        if (at >= end)
            continue;
        access = (perms[0] == 'r' ? kRead : 0u) | (perms[1] == 'w' ? kWrite : 0u) | (perms[2] == 'x' ? kExecute : 0u);
        regionStart = start;
        regionEnd = end;
        mapped = true;
        break;
    }
    if (!mapped && regionEnd == UINTPTR_MAX)
        regionStart = previousEnd;
    std::fclose(maps);
    return mapped;
}

} // namespace vtl::host
