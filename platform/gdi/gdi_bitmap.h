// The bitmap object: a DIB section's header, colours and bits.
#ifndef VANTREL_PLATFORM_GDI_GDI_BITMAP_H
#define VANTREL_PLATFORM_GDI_GDI_BITMAP_H

#include "platform/gdi/gdi_objects.h"

#include <vantrel/win32/gdi_bitmaps.h>

#include <memory>

namespace vtl {

struct Bitmap : GdiObject {
    Bitmap() : GdiObject(GdiKind::kBitmap) {}
    BITMAPINFOHEADER header = {};
    RGBQUAD colors[256] = {};
    DWORD pitch = 0; // bytes per row, a multiple of 4
    std::unique_ptr<unsigned char[]> bits;
};

} // namespace vtl

#endif
