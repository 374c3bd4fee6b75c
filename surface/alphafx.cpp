// ALPHAFX housekeeping.
#include <vantrel/alphafx.h>
#include <vantrel/core.h>

bool ALPHAFX::create(int w, int h)
{
    MemFree(map);
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
