// Device contexts over a DirectDraw surface's pixels.  An 8-bit surface
// draws through its palette, so GDI colours land on the palette's nearest
// entries.
#ifndef VANTREL_PLATFORM_GDI_SURFACE_DC_H
#define VANTREL_PLATFORM_GDI_SURFACE_DC_H

#include <vantrel/win32/pixel_format.h>
#include <vantrel/win32/types.h>

namespace vtl {

// As createMemoryDC (<vantrel/seam/window_backend.h>); an 8-bit format's
// colours are `palette`'s 256 entries when it is given, the 3-3-2 layout
// otherwise.
HDC createSurfaceDC(unsigned char* pixels, DWORD pitch, int width, int height, const VTLPixelFormat& format,
                    const PALETTEENTRY* palette);

} // namespace vtl

#endif
