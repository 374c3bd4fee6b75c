// IDirectDraw::GetCaps: what the device does, the same for the "driver" and
// the emulation, since every operation is the library's own.  A game that
// looks for hardware blits, stretching or colour keys before using them
// finds them.
#include "platform/ddraw/ddraw_objects.h"
#include "platform/kernel/trace.h"

#include <algorithm>
#include <cstring>

namespace {

DDCAPS_DX7 deviceCaps(DWORD videoTotal, DWORD videoFree)
{
    DDCAPS_DX7 caps;
    std::memset(&caps, 0, sizeof caps);
    caps.dwSize = sizeof caps;
    caps.dwCaps = DDCAPS_BLT | DDCAPS_BLTSTRETCH | DDCAPS_BLTCOLORFILL | DDCAPS_COLORKEY | DDCAPS_PALETTE |
                  DDCAPS_CANCLIP | DDCAPS_CANCLIPSTRETCHED | DDCAPS_CANBLTSYSMEM;
    caps.dwCaps2 = DDCAPS2_NOPAGELOCKREQUIRED | DDCAPS2_WIDESURFACES | DDCAPS2_CANRENDERWINDOWED |
                   DDCAPS2_FLIPNOVSYNC;
    caps.dwCKeyCaps = DDCKEYCAPS_SRCBLT | DDCKEYCAPS_DESTBLT;
    caps.dwFXCaps = DDFXCAPS_BLTSHRINKX | DDFXCAPS_BLTSHRINKXN | DDFXCAPS_BLTSHRINKY | DDFXCAPS_BLTSHRINKYN |
                    DDFXCAPS_BLTSTRETCHX | DDFXCAPS_BLTSTRETCHXN | DDFXCAPS_BLTSTRETCHY | DDFXCAPS_BLTSTRETCHYN;
    caps.dwPalCaps = DDPCAPS_8BIT | DDPCAPS_PRIMARYSURFACE;
    caps.dwVidMemTotal = videoTotal;
    caps.dwVidMemFree = videoFree;
    const DWORD surfaces = DDSCAPS_BACKBUFFER | DDSCAPS_COMPLEX | DDSCAPS_FLIP | DDSCAPS_FRONTBUFFER |
                           DDSCAPS_OFFSCREENPLAIN | DDSCAPS_PALETTE | DDSCAPS_PRIMARYSURFACE |
                           DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM;
    caps.ddsOldCaps.dwCaps = surfaces;
    caps.ddsCaps.dwCaps = surfaces;
    // The same blits between display and ordinary memory.
    caps.dwSVBCaps = caps.dwVSBCaps = caps.dwSSBCaps = caps.dwCaps;
    caps.dwSVBCKeyCaps = caps.dwVSBCKeyCaps = caps.dwSSBCKeyCaps = caps.dwCKeyCaps;
    caps.dwSVBFXCaps = caps.dwVSBFXCaps = caps.dwSSBFXCaps = caps.dwFXCaps;
    return caps;
}

} // namespace

HRESULT vtl::DDDevice::GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps)
{
    VTL_TRACE(ddraw, "IDirectDraw::GetCaps", this, driverCaps, emulationCaps);
    if (!driverCaps && !emulationCaps)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    DWORD total = 0, available = 0;
    availableVideoMemory(&total, &available);
    const DDCAPS_DX7 caps = deviceCaps(total, available);
    // Each form starts as the latest one does (the first form's last
    // reserved fields fall on fields left at zero): a structure takes as
    // much as its size says, and keeps its size.
    for (LPDDCAPS out : {driverCaps, emulationCaps}) {
        if (!out)
            continue;
        const DWORD size = out->dwSize;
        std::memcpy(out, &caps, std::min<size_t>(size, sizeof caps));
        out->dwSize = size;
    }
    return vtlTraceCall_.result(DD_OK);
}
