// Bitmaps: DIB sections, the bitmap structures games read themselves, and
// GetObject for a bitmap.
#ifndef VANTREL_WIN32_GDI_BITMAPS_H
#define VANTREL_WIN32_GDI_BITMAPS_H

#include <vantrel/win32/types.h>

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP, *PBITMAP, *LPBITMAP;

typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD, *LPRGBQUAD;

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight; // negative: the rows run top-down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER, *PBITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO, *PBITMAPINFO, *LPBITMAPINFO;

static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER as in a .bmp file");
static_assert(sizeof(RGBQUAD) == 4, "RGBQUAD as in a .bmp file");

#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1

// A bitmap whose bits the program reads and writes: 1, 4, 8, 16, 24 or 32
// bits per pixel, BI_RGB, rows DWORD-aligned in the order the header gives.
VANTREL_API HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, VOID** bits, HANDLE section,
                                     DWORD offset);
VANTREL_API int GetObjectA(HANDLE object, int size, LPVOID buffer);

#define GetObject GetObjectA

#endif
