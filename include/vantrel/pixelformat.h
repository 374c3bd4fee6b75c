// Display pixel formats and the effect tables built for them.
//
// Every surface and image holds pixels in the display's own format.  The
// effect blits fade, blend and shade those pixels with table lookups built
// once per display set-up, so no drawing loop multiplies or divides.
#ifndef VANTREL_PIXELFORMAT_H
#define VANTREL_PIXELFORMAT_H

// Games see the format record, its codes, the 3-3-2 palette and colour
// packing through this header; the platform declares them because its window
// system and GDI text work in the same formats.
#include <vantrel/win32/pixel_format.h>
#include <vantrel/win32/types.h>

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

// Works out the format code of a display that reports `bitsPerPixel` and the
// three masks, and rebuilds the effect tables (and HalfMask) for it.  In
// 8-bit modes the masks are replaced by the fixed 3-3-2 ones.  Returns false,
// leaving the tables alone, for a depth other than 8, 16, 24 or 32 or a
// 16-bit green mask other than 0x3E0 or 0x7E0.
VANTREL_API bool VTLBuildEffectTables(unsigned bitsPerPixel, DWORD redMask, DWORD greenMask,
                                      DWORD blueMask, VTLPixelFormat* format);

#endif
