// Bitmaps and memory device contexts: device-dependent and DIB-section
// bitmaps, the bitmap file structures games read themselves, the block
// transfers between window, memory and surface contexts, and GetObject for
// every kind of drawing object.
#ifndef VANTREL_WIN32_GDI_BITMAPS_H
#define VANTREL_WIN32_GDI_BITMAPS_H

#include <vantrel/win32/gdi.h>
#include <vantrel/win32/types.h>

struct HPALETTE__;
typedef struct HPALETTE__* HPALETTE;

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

// A .bmp file starts with this header, packed on 2 bytes as on Windows.
#pragma pack(push, 2)
typedef struct tagBITMAPFILEHEADER {
    WORD bfType; // 'BM'
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
} BITMAPFILEHEADER, *PBITMAPFILEHEADER, *LPBITMAPFILEHEADER;
#pragma pack(pop)

typedef struct tagDIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3];
    HANDLE dshSection;
    DWORD dsOffset;
} DIBSECTION, *PDIBSECTION, *LPDIBSECTION;

static_assert(sizeof(BITMAPFILEHEADER) == 14, "BITMAPFILEHEADER as in a .bmp file");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER as in a .bmp file");
static_assert(sizeof(RGBQUAD) == 4, "RGBQUAD as in a .bmp file");

#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1

// Raster operations: the pattern (the brush), the source and the
// destination combined bit by bit.
#define SRCCOPY 0x00CC0020
#define SRCPAINT 0x00EE0086
#define SRCAND 0x008800C6
#define SRCINVERT 0x00660046
#define SRCERASE 0x00440328
#define NOTSRCCOPY 0x00330008
#define NOTSRCERASE 0x001100A6
#define MERGECOPY 0x00C000CA
#define MERGEPAINT 0x00BB0226
#define PATCOPY 0x00F00021
#define PATPAINT 0x00FB0A09
#define PATINVERT 0x005A0049
#define DSTINVERT 0x00550009
#define BLACKNESS 0x00000042
#define WHITENESS 0x00FF0062

#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4
#define STRETCH_ANDSCANS BLACKONWHITE
#define STRETCH_ORSCANS WHITEONBLACK
#define STRETCH_DELETESCANS COLORONCOLOR
#define STRETCH_HALFTONE HALFTONE

#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2
#define LR_DEFAULTCOLOR 0x0000
#define LR_MONOCHROME 0x0001
#define LR_LOADFROMFILE 0x0010
#define LR_LOADTRANSPARENT 0x0020
#define LR_DEFAULTSIZE 0x0040
#define LR_LOADMAP3DCOLORS 0x1000
#define LR_CREATEDIBSECTION 0x2000
#define LR_SHARED 0x8000

#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_MEMDC 10
#define GDI_ERROR 0xFFFFFFFFL

VANTREL_API HDC CreateCompatibleDC(HDC dc);
VANTREL_API BOOL DeleteDC(HDC dc);
VANTREL_API HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
VANTREL_API HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const VOID* bits);
VANTREL_API HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, VOID** bits, HANDLE section,
                                     DWORD offset);
VANTREL_API UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors);
VANTREL_API UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colors);
VANTREL_API int GetObjectA(HANDLE object, int size, LPVOID buffer);
VANTREL_API DWORD GetObjectType(HGDIOBJ object);
VANTREL_API HGDIOBJ GetCurrentObject(HDC dc, UINT type);
VANTREL_API HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags);

VANTREL_API BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                        DWORD rop);
VANTREL_API BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                            int sourceWidth, int sourceHeight, DWORD rop);
VANTREL_API BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
VANTREL_API int SetStretchBltMode(HDC dc, int mode);
VANTREL_API int GetStretchBltMode(HDC dc);
VANTREL_API COLORREF GetPixel(HDC dc, int x, int y);
VANTREL_API COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
// Drawing is done when each call returns, so there is never anything to
// wait for before reading a DIB section's bits.
VANTREL_API BOOL GdiFlush(void);

#define GetObject GetObjectA
#define LoadImage LoadImageA

#endif
