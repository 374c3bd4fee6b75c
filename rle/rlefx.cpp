// RLEFX housekeeping.
#include <vantrel/core.h>
#include <vantrel/rlefx.h>

#include "core/buffer_limit.h"

bool RLEFX::create(int w, int h, unsigned long size)
{
    MemFree(runs);
    // Runs too long for a 32-bit process are refused as a failed allocation.
    runs = vtl::withinBufferLimit(size, 1) ? static_cast<unsigned char*>(MemAlloc(static_cast<unsigned>(size)))
                                           : nullptr;
    if (!runs) {
        Msg("RLEFX::create() - MemAlloc().");
        return false;
    }
    width = w;
    height = h;
    return true;
}

bool RLEFX::release()
{
    MemFree(runs);
    runs = nullptr;
    width = 0;
    height = 0;
    return true;
}
