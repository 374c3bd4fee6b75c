// Bitmaps made from a packed DIB: a BITMAPINFOHEADER (or an OS/2
// BITMAPCOREHEADER), its colour table or masks, and its rows, as a .bmp file
// holds them after its file header and a bitmap resource holds them whole.
#ifndef VANTREL_PLATFORM_GDI_DIB_IMAGE_H
#define VANTREL_PLATFORM_GDI_DIB_IMAGE_H

#include <vantrel/win32/gdi_bitmaps.h>

#include <cstddef>

namespace vtl {

// A bitmap of the picture in `dib` (`size` bytes) whose rows start
// `bitsOffset` bytes in (0: right after the colour table), stretched to
// width x height when those are not 0.  `flags` take LR_CREATEDIBSECTION (a
// DIB section of the picture's own depth, else a device bitmap in the
// display's layout) and LR_MONOCHROME.  Null, with ERROR_INVALID_DATA, for
// a picture that is not whole or of a kind not read: the run-length
// compressions (said once through Msg).
HBITMAP bitmapFromDib(const unsigned char* dib, size_t size, size_t bitsOffset, int width, int height, UINT flags);

} // namespace vtl

#endif
