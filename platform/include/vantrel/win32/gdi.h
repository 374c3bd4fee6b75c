// Windows-shaped GDI text: fonts and device contexts on memory pixels.
#ifndef VANTREL_WIN32_GDI_H
#define VANTREL_WIN32_GDI_H

#include <vantrel/win32/types.h>

#define TRANSPARENT 1
#define OPAQUE 2
#define FW_DONTCARE 0
#define FW_NORMAL 400
#define FW_BOLD 700
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define ANTIALIASED_QUALITY 4
#define DEFAULT_PITCH 0
#define FF_DONTCARE 0
#define FF_SWISS 0x20
#define BITSPIXEL 12
#define PLANES 14
#define HORZRES 8
#define VERTRES 10
#define CLR_INVALID 0xFFFFFFFF

// A positive height is the cell (ascent + descent) in pixels, a negative one
// the em; either way the cell is at most 2048 pixels, taller than any
// screen shows, and a larger request gets the 2048-pixel font.
VANTREL_API HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                              DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                              DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName);
VANTREL_API BOOL DeleteObject(HGDIOBJ object);
VANTREL_API HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
VANTREL_API int SetBkMode(HDC dc, int mode);
VANTREL_API COLORREF SetTextColor(HDC dc, COLORREF color);
VANTREL_API COLORREF SetBkColor(HDC dc, COLORREF color);
VANTREL_API BOOL GetTextExtentPointA(HDC dc, LPCSTR text, int length, LPSIZE size);
VANTREL_API BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, LPSIZE size);
VANTREL_API BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
// The desktop's device context (null window) answers BITSPIXEL and PLANES.
VANTREL_API HDC GetDC(HWND hwnd);
VANTREL_API int ReleaseDC(HWND hwnd, HDC dc);
VANTREL_API int GetDeviceCaps(HDC dc, int index);

#define CreateFont CreateFontA
#define TextOut TextOutA
#define GetTextExtentPoint GetTextExtentPointA
#define GetTextExtentPoint32 GetTextExtentPoint32A

#endif
