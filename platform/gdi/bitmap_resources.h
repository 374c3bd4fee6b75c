// Bitmap resources (RT_BITMAP): a device-independent bitmap without the
// file header, made into the same bitmap object CreateDIBSection makes.
#ifndef VANTREL_PLATFORM_GDI_BITMAP_RESOURCES_H
#define VANTREL_PLATFORM_GDI_BITMAP_RESOURCES_H

#include <vantrel/win32/gdi_bitmaps.h>

#include <cstdint>
#include <vector>

namespace vtl {

// The bitmap resource `name` of `instance`'s module; null with the error
// FindResource gives, or ERROR_INVALID_DATA for a layout GDI cannot hold
// (compressed, a core header).
HBITMAP bitmapFromResource(HINSTANCE instance, LPCSTR name);

// A bitmap resource as 24-bit rows from the top (blue, green, red), for
// the dialog manager's static bitmaps; false when it is missing or not one
// it reads.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes; // width * 3 per row
};
bool bitmapResourcePixels(HINSTANCE instance, LPCSTR name, RgbImage& image);

} // namespace vtl

#endif
