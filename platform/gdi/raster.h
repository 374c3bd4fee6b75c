// Raster work shared by the block transfers, FillRect and text (gdiMutex
// held).
#ifndef VANTREL_PLATFORM_GDI_RASTER_H
#define VANTREL_PLATFORM_GDI_RASTER_H

#include "platform/gdi/gdi_objects.h"

namespace vtl {

// A block transfer of the raster operation `rop` from `source` (null when
// the operation reads no source) to `dest`, stretching or mirroring when
// the sizes differ in size or sign.  False when the operation needs a
// source and has none.
bool transfer(DeviceContext& dest, int x, int y, int width, int height, DeviceContext* source, int sourceX,
              int sourceY, int sourceWidth, int sourceHeight, DWORD rop);

// The colour a brush paints with in a context; false for a hollow brush.
bool brushColor(const DeviceContext& dc, const GdiObject* brush, COLORREF* color);

} // namespace vtl

#endif
