// ALPHAFX housekeeping.
#include <vantrel/alphafx.h>
#include <vantrel/core.h>

#include "core/buffer_limit.h"

bool ALPHAFX::create(int w, int h)
{
    MemFree(map);
    map = nullptr;
    // A map too large for a 32-bit process is refused as a failed allocation.
    if (w >= 0 && h >= 0 && vtl::withinBufferLimit(static_cast<uint64_t>(w), static_cast<uint64_t>(h)))
        map = static_cast<unsigned char*>(MemAlloc(static_cast<DWORD>(w) * static_cast<DWORD>(h)));
    if (!map) {
        Msg("ALPHAFX::create() - MemAlloc().");
        return false;
    }
    width = w;
    pitch = static_cast<DWORD>(w);
    height = h;
    return true;
}

bool ALPHAFX::release()
{
    MemFree(map);
    map = nullptr;
    pitch = 0;
    width = 0;
    height = 0;
    return true;
}
