// Fonts described by LOGFONT, their metrics, and ExtTextOut.
#ifndef VANTREL_WIN32_GDI_FONTS_H
#define VANTREL_WIN32_GDI_FONTS_H

#include <vantrel/win32/gdi.h>

#define LF_FACESIZE 32

typedef struct tagLOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA, *PLOGFONTA, *LPLOGFONTA;
typedef LOGFONTA LOGFONT;
typedef LPLOGFONTA LPLOGFONT;

typedef struct tagTEXTMETRICA {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
} TEXTMETRICA, *PTEXTMETRICA, *LPTEXTMETRICA;
typedef TEXTMETRICA TEXTMETRIC;
typedef LPTEXTMETRICA LPTEXTMETRIC;

#define FW_THIN 100
#define FW_LIGHT 300
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_HEAVY 900
#define SYMBOL_CHARSET 2
#define OEM_CHARSET 255
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_ROMAN 0x10
#define FF_MODERN 0x30
#define DRAFT_QUALITY 1
#define PROOF_QUALITY 2
#define NONANTIALIASED_QUALITY 3
#define TMPF_FIXED_PITCH 0x01 // set for a font whose letters differ in width
#define TMPF_VECTOR 0x02
#define TMPF_TRUETYPE 0x04
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define ETO_OPAQUE 0x0002
#define ETO_CLIPPED 0x0004

VANTREL_API HFONT CreateFontIndirectA(const LOGFONTA* font);
VANTREL_API BOOL GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics);
VANTREL_API BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length,
                             const INT* spacing);

#define CreateFontIndirect CreateFontIndirectA
#define GetTextMetrics GetTextMetricsA
#define ExtTextOut ExtTextOutA

#endif
