// RLEFX housekeeping.
#include <vantrel/core.h>
#include <vantrel/rlefx.h>

bool RLEFX::create(int w, int h, unsigned long size)
{
    MemFree(runs);
    runs = static_cast<unsigned char*>(MemAlloc(static_cast<unsigned>(size)));
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
