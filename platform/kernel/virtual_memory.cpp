// Pages of the address space (memory.h).  The regions VirtualAlloc reserved
// are kept with each page's state, so that VirtualFree and VirtualQuery
// answer as Windows does for them; other memory (the program's own, its
// libraries') is described from the host's map of the process.
#include "platform/kernel/trace.h"

#include "platform/host/memory_pages.h"
#include "platform/host/system_figures.h"

#include <vantrel/win32/errors.h>
#include <vantrel/win32/memory.h>

#include <map>
#include <mutex>
#include <vector>

namespace {

constexpr uintptr_t kGranularity = 0x10000;

struct Region {
    SIZE_T size;
    DWORD allocationProtect;
    std::vector<DWORD> pages; // each page's protection; 0 while only reserved
};

std::mutex gLock;
std::map<uintptr_t, Region> gRegions;

uintptr_t pageSize()
{
    static const uintptr_t size = vtl::host::pageSize();
    return size;
}

// The host access a protection asks for, or false for one that is refused.
bool accessOf(DWORD protect, unsigned& access)
{
    if (protect & (PAGE_GUARD | PAGE_NOCACHE))
        VTL_UNSUPPORTED("PAGE_GUARD and PAGE_NOCACHE", "fail with ERROR_INVALID_PARAMETER");
    switch (protect) {
    case PAGE_NOACCESS: access = vtl::host::kNoAccess; return true;
    case PAGE_READONLY: access = vtl::host::kRead; return true;
    case PAGE_READWRITE:
    case PAGE_WRITECOPY: access = vtl::host::kRead | vtl::host::kWrite; return true;
    case PAGE_EXECUTE: access = vtl::host::kExecute; return true;
    case PAGE_EXECUTE_READ: access = vtl::host::kRead | vtl::host::kExecute; return true;
    case PAGE_EXECUTE_READWRITE:
    case PAGE_EXECUTE_WRITECOPY: access = vtl::host::kRead | vtl::host::kWrite | vtl::host::kExecute; return true;
    default: return false;
    }
}

DWORD protectOf(unsigned access)
{
    const bool read = access & vtl::host::kRead, write = access & vtl::host::kWrite,
               execute = access & vtl::host::kExecute;
    if (execute)
        return write ? PAGE_EXECUTE_READWRITE : read ? PAGE_EXECUTE_READ : PAGE_EXECUTE;
    return write ? PAGE_READWRITE : read ? PAGE_READONLY : PAGE_NOACCESS;
}

// The region holding [start, end), or null; gLock is held.
std::pair<const uintptr_t, Region>* regionHolding(uintptr_t start, uintptr_t end)
{
    auto it = gRegions.upper_bound(start);
    if (it == gRegions.begin())
        return nullptr;
    --it;
    if (end > it->first + it->second.size)
        return nullptr;
    return &*it;
}

} // namespace

LPVOID VirtualAlloc(LPVOID address, SIZE_T size, DWORD type, DWORD protect)
{
    VTL_TRACE(kernel, "VirtualAlloc", address, size, type, protect);
    unsigned access = 0;
    const DWORD kinds = type & (MEM_COMMIT | MEM_RESERVE);
    if (size == 0 || kinds == 0 || (type & ~(MEM_COMMIT | MEM_RESERVE | MEM_TOP_DOWN)) != 0 ||
        !accessOf(protect, access)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    const uintptr_t page = pageSize();
    std::lock_guard<std::mutex> lock(gLock);
    uintptr_t start = reinterpret_cast<uintptr_t>(address);
    if ((type & MEM_RESERVE) || !address) {
        // A new region: its base on the allocation granularity, its size in
        // whole pages.
        start &= ~(kGranularity - 1);
        const uintptr_t end = (reinterpret_cast<uintptr_t>(address) + size + page - 1) & ~(page - 1);
        const SIZE_T length = address ? end - start : (size + page - 1) & ~(page - 1);
        void* base = vtl::host::reservePages(address ? reinterpret_cast<void*>(start) : nullptr, length, kGranularity);
        if (!base) {
            SetLastError(address ? ERROR_INVALID_ADDRESS : ERROR_NOT_ENOUGH_MEMORY);
            return vtlTraceCall_.result(nullptr);
        }
        Region region{length, protect, std::vector<DWORD>(length / page, 0)};
        if (kinds & MEM_COMMIT) {
            if (!vtl::host::protectPages(base, length, access)) {
                vtl::host::releasePages(base, length);
                SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                return vtlTraceCall_.result(nullptr);
            }
            region.pages.assign(region.pages.size(), protect);
        }
        gRegions.emplace(reinterpret_cast<uintptr_t>(base), std::move(region));
        return vtlTraceCall_.result(base);
    }
    // Committing pages of a region reserved before.
    const uintptr_t first = start & ~(page - 1);
    const uintptr_t end = (start + size + page - 1) & ~(page - 1);
    auto* region = regionHolding(first, end);
    if (!region) {
        SetLastError(ERROR_INVALID_ADDRESS);
        return vtlTraceCall_.result(nullptr);
    }
    // Pages committed already keep their contents; the rest are zero.
    if (!vtl::host::protectPages(reinterpret_cast<void*>(first), end - first, access)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return vtlTraceCall_.result(nullptr);
    }
    for (uintptr_t p = first; p < end; p += page)
        region->second.pages[(p - region->first) / page] = protect;
    return vtlTraceCall_.result(reinterpret_cast<LPVOID>(first));
}

BOOL VirtualFree(LPVOID address, SIZE_T size, DWORD type)
{
    VTL_TRACE(kernel, "VirtualFree", address, size, type);
    const uintptr_t start = reinterpret_cast<uintptr_t>(address);
    const uintptr_t page = pageSize();
    std::lock_guard<std::mutex> lock(gLock);
    if (type == MEM_RELEASE) {
        auto it = gRegions.find(start);
        if (size != 0 || it == gRegions.end()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return vtlTraceCall_.result(FALSE);
        }
        vtl::host::releasePages(address, it->second.size);
        gRegions.erase(it);
        return vtlTraceCall_.result(TRUE);
    }
    if (type != MEM_DECOMMIT) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    auto it = gRegions.find(start);
    const uintptr_t first = start & ~(page - 1);
    uintptr_t end = (start + size + page - 1) & ~(page - 1);
    if (size == 0 && it != gRegions.end())
        end = start + it->second.size;
    auto* region = size == 0 && it == gRegions.end() ? nullptr : regionHolding(first, end);
    if (!region) {
        SetLastError(ERROR_INVALID_ADDRESS);
        return vtlTraceCall_.result(FALSE);
    }
    vtl::host::discardPages(reinterpret_cast<void*>(first), end - first);
    for (uintptr_t p = first; p < end; p += page)
        region->second.pages[(p - region->first) / page] = 0;
    return vtlTraceCall_.result(TRUE);
}

BOOL VirtualProtect(LPVOID address, SIZE_T size, DWORD protect, DWORD* oldProtect)
{
    VTL_TRACE(kernel, "VirtualProtect", address, size, protect, static_cast<const void*>(oldProtect));
    unsigned access = 0;
    if (!accessOf(protect, access) || size == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    if (!oldProtect) {
        SetLastError(ERROR_NOACCESS);
        return vtlTraceCall_.result(FALSE);
    }
    const uintptr_t page = pageSize();
    const uintptr_t first = reinterpret_cast<uintptr_t>(address) & ~(page - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(address) + size + page - 1) & ~(page - 1);
    std::lock_guard<std::mutex> lock(gLock);
    if (auto* region = regionHolding(first, end)) {
        for (uintptr_t p = first; p < end; p += page) {
            if (region->second.pages[(p - region->first) / page] == 0) {
                SetLastError(ERROR_INVALID_ADDRESS);
                return vtlTraceCall_.result(FALSE);
            }
        }
        *oldProtect = region->second.pages[(first - region->first) / page];
        vtl::host::protectPages(reinterpret_cast<void*>(first), end - first, access);
        for (uintptr_t p = first; p < end; p += page)
            region->second.pages[(p - region->first) / page] = protect;
        return vtlTraceCall_.result(TRUE);
    }
    // The program's own pages (a game patching its code, say).
    unsigned old = 0;
    uintptr_t regionStart = 0, regionEnd = 0;
    if (!vtl::host::pageAccess(reinterpret_cast<void*>(first), old, regionStart, regionEnd) ||
        !vtl::host::protectPages(reinterpret_cast<void*>(first), end - first, access)) {
        SetLastError(ERROR_INVALID_ADDRESS);
        return vtlTraceCall_.result(FALSE);
    }
    *oldProtect = protectOf(old);
    return vtlTraceCall_.result(TRUE);
}

SIZE_T VirtualQuery(LPCVOID address, PMEMORY_BASIC_INFORMATION info, SIZE_T length)
{
    VTL_TRACE(kernel, "VirtualQuery", address, static_cast<const void*>(info), length);
    if (!info || length < sizeof *info) {
        SetLastError(ERROR_BAD_LENGTH);
        return vtlTraceCall_.result(SIZE_T(0));
    }
    const uintptr_t page = pageSize();
    const uintptr_t first = reinterpret_cast<uintptr_t>(address) & ~(page - 1);
    *info = MEMORY_BASIC_INFORMATION{};
    info->BaseAddress = reinterpret_cast<PVOID>(first);
    std::lock_guard<std::mutex> lock(gLock);
    if (auto* region = regionHolding(first, first + 1)) {
        // The run of pages from here with the same state and protection.
        const std::vector<DWORD>& pages = region->second.pages;
        size_t index = (first - region->first) / page;
        const DWORD protect = pages[index];
        size_t last = index;
        while (last + 1 < pages.size() && pages[last + 1] == protect)
            ++last;
        info->AllocationBase = reinterpret_cast<PVOID>(region->first);
        info->AllocationProtect = region->second.allocationProtect;
        info->RegionSize = (last + 1 - index) * page;
        info->State = protect ? MEM_COMMIT : MEM_RESERVE;
        info->Protect = protect;
        info->Type = MEM_PRIVATE;
        return vtlTraceCall_.result(sizeof *info);
    }
    unsigned access = 0;
    uintptr_t start = 0, end = 0;
    if (vtl::host::pageAccess(reinterpret_cast<void*>(first), access, start, end)) {
        info->AllocationBase = reinterpret_cast<PVOID>(start);
        info->AllocationProtect = protectOf(access);
        info->RegionSize = end - first;
        info->State = MEM_COMMIT;
        info->Protect = protectOf(access);
        info->Type = MEM_PRIVATE;
    } else {
        info->RegionSize = end - first;
        info->State = MEM_FREE;
        info->Protect = PAGE_NOACCESS;
    }
    return vtlTraceCall_.result(sizeof *info);
}
