// Display pixel formats: the record every surface, device context and
// desktop carries, and the mapping between colours and pixels in each.
//
// The record belongs to the platform because the window system hands it out
// (the desktop's format, a device context over a surface's pixels) and GDI
// draws text with it; the library's drawing code and its effect tables,
// declared in <vantrel/pixelformat.h>, build on it.  Games include that
// header and see the same names.
#ifndef VANTREL_WIN32_PIXEL_FORMAT_H
#define VANTREL_WIN32_PIXEL_FORMAT_H

#include <vantrel/win32/types.h>

// Pixel format codes.  PF_BGR is added to the 16-, 24- and 32-bit codes when
// red lies below blue (red in the low field or byte).
enum {
    PF_PAL8 = 1,   // 8-bit palette index laid out 3-3-2 (red 7-5, green 4-2, blue 1-0)
    PF_RGB555 = 2, // 16-bit, green mask 0x3E0
    PF_RGB565 = 3, // 16-bit, green mask 0x7E0
    PF_RGB24 = 4,
    PF_RGB32 = 5,
    PF_BGR = 128
};

// A display format as the library records it.
struct VTLPixelFormat {
    unsigned char formatCode;
    unsigned char bitsPerPixel;
    unsigned char bytesPerPixel;
    DWORD redMask;
    DWORD greenMask;
    DWORD blueMask;
};

// The fixed palette of 8-bit modes: entry c is red (c >> 5) * 255 / 7,
// green ((c >> 2) & 7) * 255 / 7, blue (c & 3) * 85, flags 0.
VANTREL_API void VTLPalette332(PALETTEENTRY entries[256]);

// Colour packing for a given depth and format code (what VTLHND::packColor
// and unpackColor do for the display).  packing returns 0, and unpacking
// returns false storing nothing, for a format they do not know.
VANTREL_API unsigned long VTLPackColor(unsigned bitsPerPixel, unsigned formatCode, unsigned char red,
                                       unsigned char green, unsigned char blue);
VANTREL_API bool VTLUnpackColor(unsigned bitsPerPixel, unsigned formatCode, unsigned long pixel,
                                unsigned char* red, unsigned char* green, unsigned char* blue);

#endif
