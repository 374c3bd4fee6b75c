// Logical palettes and the system palette.  In an 8-bit display mode the
// system palette is the DirectDraw primary's palette while it has one.
#ifndef VANTREL_WIN32_GDI_PALETTES_H
#define VANTREL_WIN32_GDI_PALETTES_H

#include <vantrel/win32/gdi_bitmaps.h>

typedef struct tagLOGPALETTE {
    WORD palVersion; // 0x300
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[1];
} LOGPALETTE, *PLOGPALETTE, *LPLOGPALETTE;

#define PC_RESERVED 0x01
#define PC_EXPLICIT 0x02
#define PC_NOCOLLAPSE 0x04
#define SYSPAL_ERROR 0
#define SYSPAL_STATIC 1
#define SYSPAL_NOSTATIC 2
#define SYSPAL_NOSTATIC256 3
#define PALETTEINDEX(i) ((COLORREF)(0x01000000 | (DWORD)(WORD)(i)))
#define PALETTERGB(r, g, b) (0x02000000 | RGB(r, g, b))
#define NUMCOLORS 24
#define RASTERCAPS 38
#define SIZEPALETTE 104
#define NUMRESERVED 106
#define RC_PALETTE 0x0100

VANTREL_API HPALETTE CreatePalette(const LOGPALETTE* palette);
VANTREL_API UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, LPPALETTEENTRY entries);
VANTREL_API UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries);
VANTREL_API UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color);
VANTREL_API HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
VANTREL_API UINT RealizePalette(HDC dc);
VANTREL_API UINT SetSystemPaletteUse(HDC dc, UINT use);
VANTREL_API UINT GetSystemPaletteUse(HDC dc);
VANTREL_API UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, LPPALETTEENTRY entries);

#endif
