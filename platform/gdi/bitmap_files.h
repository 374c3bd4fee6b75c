// LoadImage's files (LR_LOADFROMFILE).
#ifndef VANTREL_PLATFORM_GDI_BITMAP_FILES_H
#define VANTREL_PLATFORM_GDI_BITMAP_FILES_H

#include <vantrel/win32/gdi_bitmaps.h>

namespace vtl {

// The image in the file `name` (a Windows name, resolved as CreateFileA
// resolves it): .bmp files as IMAGE_BITMAP, at width x height when not 0,
// as LR_CREATEDIBSECTION / LR_MONOCHROME ask.  Null with the error set.
HANDLE imageFromFile(LPCSTR name, UINT type, int width, int height, UINT flags);

} // namespace vtl

#endif
