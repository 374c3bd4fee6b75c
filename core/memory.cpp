// The counted heap.  Each block carries its requested size in a 4-byte
// header so that MemFree can lower the counter without a side table.
#include <vantrel/core.h>

#include <cstdlib>
#include <cstring>

namespace {
// Bytes currently handed out, as a 32-bit counter like the header.
DWORD gTotalMemoryUsed = 0;
constexpr size_t kHeader = 4;
} // namespace

void* MemAlloc(unsigned size)
{
    // calloc gives the zero fill; malloc's alignment keeps the caller's
    // pointer (4 bytes past it) 4-byte aligned, which is all the header
    // layout allows.
    auto* block = static_cast<unsigned char*>(std::calloc(1, size_t{size} + kHeader));
    if (!block)
        return nullptr;
    const uint32_t header = size;
    std::memcpy(block, &header, kHeader);
    gTotalMemoryUsed += size;
    return block + kHeader;
}

void* CMemAlloc(unsigned count, unsigned size)
{
    return MemAlloc(static_cast<uint32_t>(count * size));
}

void MemFree(void* p)
{
    if (!p)
        return;
    unsigned char* block = static_cast<unsigned char*>(p) - kHeader;
    uint32_t header;
    std::memcpy(&header, block, kHeader);
    gTotalMemoryUsed -= header;
    std::free(block);
}

DWORD MemUsed()
{
    Msg("VTL TotalMemoryUsed = %u", gTotalMemoryUsed);
    return gTotalMemoryUsed;
}
