// DDSURFACEDESC and DDSURFACEDESC2 share every field up to the caps, where
// the later one widens DDSCAPS to DDSCAPS2: the device works on the later
// form and hands each interface version its own.
#ifndef VANTREL_PLATFORM_DDRAW_SURFACE_DESC_H
#define VANTREL_PLATFORM_DDRAW_SURFACE_DESC_H

#include <vantrel/win32/ddraw.h>

#include <cstddef>
#include <cstring>

namespace vtl {

static_assert(offsetof(DDSURFACEDESC, ddsCaps) == offsetof(DDSURFACEDESC2, ddsCaps),
              "the two descriptions share their fields up to the caps");

inline DDSURFACEDESC2 widenDesc(const DDSURFACEDESC& desc)
{
    DDSURFACEDESC2 wide;
    std::memset(&wide, 0, sizeof wide);
    std::memcpy(&wide, &desc, offsetof(DDSURFACEDESC, ddsCaps));
    wide.dwSize = sizeof wide;
    wide.ddsCaps.dwCaps = desc.ddsCaps.dwCaps;
    return wide;
}
inline DDSURFACEDESC2 widenDesc(const DDSURFACEDESC2& desc) { return desc; }

inline void narrowDesc(const DDSURFACEDESC2& wide, DDSURFACEDESC* desc)
{
    std::memcpy(desc, &wide, offsetof(DDSURFACEDESC, ddsCaps));
    desc->dwSize = sizeof *desc;
    desc->ddsCaps.dwCaps = wide.ddsCaps.dwCaps;
}
inline void narrowDesc(const DDSURFACEDESC2& wide, DDSURFACEDESC2* desc) { *desc = wide; }

// Lock takes either description whatever the interface, and fills as much
// of it as its dwSize says.
inline bool isEitherDescSize(DWORD size) { return size == sizeof(DDSURFACEDESC) || size == sizeof(DDSURFACEDESC2); }
inline void fillDescOfItsSize(const DDSURFACEDESC2& wide, void* desc)
{
    DWORD size;
    std::memcpy(&size, desc, sizeof size);
    if (size == sizeof(DDSURFACEDESC2))
        std::memcpy(desc, &wide, sizeof wide);
    else
        narrowDesc(wide, static_cast<DDSURFACEDESC*>(desc));
}

inline void capsOf(DWORD caps, DDSCAPS* out) { out->dwCaps = caps; }
inline void capsOf(DWORD caps, DDSCAPS2* out)
{
    std::memset(out, 0, sizeof *out);
    out->dwCaps = caps;
}

} // namespace vtl

#endif
