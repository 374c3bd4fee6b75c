// Pages in WebAssembly's linear memory, which has no pages to reserve or
// protect: every address below its size reads and writes.  A reservation is
// a zeroed block of the heap, and the access each of its pages was given is
// kept here, so that the queries and the pointer probes answer as for real
// pages; outside the blocks, memory is readable and writable up to the
// memory's size, and nothing is mapped below 64 KiB (where Windows keeps
// null's pages and the program's data does not start) or beyond the size.
// A write to a page given less than write access still succeeds.
#include "platform/host/memory_pages.h"

#include "platform/kernel/trace.h"

#include <emscripten/heap.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace vtl::host {

namespace {

constexpr uintptr_t kPage = 4096;
constexpr uintptr_t kLowestMapped = 0x10000;

struct Block {
    size_t size;
    std::vector<unsigned> access; // one a page
};

// The library's own calls run on the one thread of the page: no lock.
std::map<uintptr_t, Block>& blocks()
{
    static std::map<uintptr_t, Block> b;
    return b;
}

// The block holding [base, base + size) whole, or null.
Block* blockOf(uintptr_t base, size_t size, uintptr_t& start)
{
    auto& all = blocks();
    auto found = all.upper_bound(base);
    if (found == all.begin())
        return nullptr;
    --found;
    if (base - found->first + size > found->second.size)
        return nullptr;
    start = found->first;
    return &found->second;
}

void setAccess(void* base, size_t size, unsigned access)
{
    uintptr_t start = 0;
    const uintptr_t at = reinterpret_cast<uintptr_t>(base);
    if (Block* block = blockOf(at, size, start))
        for (uintptr_t page = (at - start) / kPage; page * kPage < at - start + size; ++page)
            block->access[page] = access;
}

} // namespace

void* reservePages(void* at, size_t size, size_t alignment)
{
    if (at) // the heap decides where blocks go
        return nullptr;
    size = (size + kPage - 1) & ~(kPage - 1);
    void* base = std::aligned_alloc(alignment, size);
    if (!base)
        return nullptr;
    std::memset(base, 0, size);
    blocks()[reinterpret_cast<uintptr_t>(base)] = Block{size, std::vector<unsigned>(size / kPage, kNoAccess)};
    return base;
}

void releasePages(void* base, size_t)
{
    if (blocks().erase(reinterpret_cast<uintptr_t>(base)))
        std::free(base);
}

bool protectPages(void* base, size_t size, unsigned access)
{
    if (access != (kRead | kWrite) && access != (kRead | kWrite | kExecute))
        VTL_UNSUPPORTED("Pages without write access in WebAssembly",
                        "they are reported as protected, but a write to them still succeeds");
    setAccess(base, size, access);
    return true;
}

bool discardPages(void* base, size_t size)
{
    std::memset(base, 0, size);
    setAccess(base, size, kNoAccess);
    return true;
}

bool pageAccess(const void* address, unsigned& access, uintptr_t& regionStart, uintptr_t& regionEnd)
{
    const uintptr_t at = reinterpret_cast<uintptr_t>(address);
    const uintptr_t memoryEnd = emscripten_get_heap_size();
    if (at < kLowestMapped) {
        regionStart = 0;
        regionEnd = kLowestMapped;
        return false;
    }
    if (at >= memoryEnd) {
        regionStart = memoryEnd;
        regionEnd = UINTPTR_MAX;
        return false;
    }
    auto& all = blocks();
    auto next = all.upper_bound(at);
    if (next != all.begin()) {
        auto holding = std::prev(next);
        const Block& block = holding->second;
        if (at - holding->first < block.size) {
            size_t first = (at - holding->first) / kPage, last = first;
            while (first > 0 && block.access[first - 1] == block.access[last])
                --first;
            while (last + 1 < block.access.size() && block.access[last + 1] == block.access[first])
                ++last;
            access = block.access[first];
            regionStart = holding->first + first * kPage;
            regionEnd = holding->first + (last + 1) * kPage;
            return true;
        }
        regionStart = holding->first + block.size;
    } else {
        regionStart = kLowestMapped;
    }
    access = kRead | kWrite;
    regionEnd = next == all.end() ? memoryEnd : next->first;
    return true;
}

} // namespace vtl::host
