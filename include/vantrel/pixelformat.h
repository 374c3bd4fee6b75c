// Display pixel formats and the effect tables built for them.
//
// Every surface and image holds pixels in the display's own format.  The
// effect blits fade, blend and shade those pixels with table lookups built
// once per display set-up, so no drawing loop multiplies or divides.
#ifndef VANTREL_PIXELFORMAT_H
#define VANTREL_PIXELFORMAT_H

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

// Effect tables, each 256 rows of 256 entries indexed [level][value].
// Level 0 is black, 255 leaves the value unchanged; the *Rev tables hold the
// complement: X_Rev[k][v] == X[255 - k][v].
//
//   16-bit pixel p faded to level k:   FadeLo[k][p & 0xFF] + FadeHi[k][p >> 8]
//   8-bit index or 24/32-bit byte c:   Fade8[k][c]
//   any byte scaled:                   Scale8[k][c] == c * k / 255 (rounded down)
//
// Only the tables of the current depth are rebuilt; the others keep what an
// earlier display left in them.
extern VANTREL_API unsigned char Fade8Rev[256][256];
extern VANTREL_API unsigned char Fade8[256][256];
extern VANTREL_API unsigned short FadeHiRev[256][256];
extern VANTREL_API unsigned char Scale8[256][256];
extern VANTREL_API unsigned short FadeHi[256][256];
extern VANTREL_API unsigned char Scale8Rev[256][256];
extern VANTREL_API unsigned short FadeLoRev[256][256];
extern VANTREL_API unsigned short FadeLo[256][256];

// Two copies of a mask that clears the top bit of every colour field, so that
// ((a >> 1) & HalfMask) + ((b >> 1) & HalfMask) averages pixels field by
// field without carries: 0x3DEF3DEF for 5-5-5, 0x7BEF7BEF for 5-6-5 and, in
// 8-bit modes, 0x6D6D6D6D for the 3-3-2 layout (bits 7, 4 and 1 cleared).
// Not changed in 24- and 32-bit modes, whose halving works byte by byte.
extern VANTREL_API DWORD HalfMask;

// The half-intensity mask of the 3-3-2 layout, repeated in each byte.
constexpr DWORD VTL_HALFMASK_332 = 0x6D6D6D6Du;

// A display format as the library records it.
struct VTLPixelFormat {
    unsigned char formatCode;
    unsigned char bitsPerPixel;
    unsigned char bytesPerPixel;
    DWORD redMask;
    DWORD greenMask;
    DWORD blueMask;
};

// Works out the format code of a display that reports `bitsPerPixel` and the
// three masks, and rebuilds the effect tables (and HalfMask) for it.  In
// 8-bit modes the masks are replaced by the fixed 3-3-2 ones.  Returns false,
// leaving the tables alone, for a depth other than 8, 16, 24 or 32 or a
// 16-bit green mask other than 0x3E0 or 0x7E0.
VANTREL_API bool VTLBuildEffectTables(unsigned bitsPerPixel, DWORD redMask, DWORD greenMask,
                                      DWORD blueMask, VTLPixelFormat* format);

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
