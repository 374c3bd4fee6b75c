// The counted heap.  Each block carries its requested size in a 4-byte
// header just before the caller's pointer, so that MemFree can lower the
// counter without a side table.  The header sits at the end of a prefix as
// large as malloc's alignment, so the caller's pointer keeps that alignment:
// library objects that hold pointers (frame images, frame tables, tiles) are
// made with MemAlloc and need 8-byte alignment on 64-bit systems.
#include <vantrel/core.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {
// Bytes currently handed out, as a 32-bit counter like the header.
DWORD gTotalMemoryUsed = 0;
constexpr size_t kHeader = 4;
constexpr size_t kPrefix = alignof(std::max_align_t);
} // namespace

void* MemAlloc(unsigned size)
{
    // calloc gives the zero fill and an aligned block.
    auto* block = static_cast<unsigned char*>(std::calloc(1, size_t{size} + kPrefix));
    if (!block)
        return nullptr;
    const uint32_t header = size;
    std::memcpy(block + kPrefix - kHeader, &header, kHeader);
    gTotalMemoryUsed += size;
    return block + kPrefix;
}

void* CMemAlloc(unsigned count, unsigned size)
{
    return MemAlloc(static_cast<uint32_t>(count * size));
}

void MemFree(void* p)
{
    if (!p)
        return;
    unsigned char* block = static_cast<unsigned char*>(p) - kPrefix;
    uint32_t header;
    std::memcpy(&header, block + kPrefix - kHeader, kHeader);
    gTotalMemoryUsed -= header;
    std::free(block);
}

DWORD MemUsed()
{
    Msg("VTL TotalMemoryUsed = %u", gTotalMemoryUsed);
    return gTotalMemoryUsed;
}
