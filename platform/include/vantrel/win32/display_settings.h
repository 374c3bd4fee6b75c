// The display's modes as the window system lists and sets them:
// EnumDisplaySettings and ChangeDisplaySettings with DEVMODE.  They are the
// modes DirectDraw offers, shown the same way: a full-screen mode is the
// game's screen, scaled onto the real one.
#ifndef VANTREL_WIN32_DISPLAY_SETTINGS_H
#define VANTREL_WIN32_DISPLAY_SETTINGS_H

#include <vantrel/win32/types.h>

#define CCHDEVICENAME 32
#define CCHFORMNAME 32

#define ENUM_CURRENT_SETTINGS ((DWORD)-1)
#define ENUM_REGISTRY_SETTINGS ((DWORD)-2)

// DEVMODE's dmFields.
#define DM_POSITION 0x00000020L
#define DM_DISPLAYORIENTATION 0x00000080L
#define DM_BITSPERPEL 0x00040000L
#define DM_PELSWIDTH 0x00080000L
#define DM_PELSHEIGHT 0x00100000L
#define DM_DISPLAYFLAGS 0x00200000L
#define DM_DISPLAYFREQUENCY 0x00400000L

// ChangeDisplaySettings' flags and answers.
#define CDS_UPDATEREGISTRY 0x00000001
#define CDS_TEST 0x00000002
#define CDS_FULLSCREEN 0x00000004
#define CDS_GLOBAL 0x00000008
#define CDS_SET_PRIMARY 0x00000010
#define CDS_RESET 0x40000000
#define CDS_NORESET 0x10000000
#define DISP_CHANGE_SUCCESSFUL 0
#define DISP_CHANGE_RESTART 1
#define DISP_CHANGE_FAILED (-1)
#define DISP_CHANGE_BADMODE (-2)
#define DISP_CHANGE_NOTUPDATED (-3)
#define DISP_CHANGE_BADFLAGS (-4)
#define DISP_CHANGE_BADPARAM (-5)

typedef struct _POINTL {
    LONG x;
    LONG y;
} POINTL, *PPOINTL;

// Windows' layout, 156 bytes; the printer and display fields share their
// place as there.
typedef struct _devicemodeA {
    BYTE dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    union {
        __extension__ struct {
            short dmOrientation;
            short dmPaperSize;
            short dmPaperLength;
            short dmPaperWidth;
            short dmScale;
            short dmCopies;
            short dmDefaultSource;
            short dmPrintQuality;
        };
        __extension__ struct {
            POINTL dmPosition;
            DWORD dmDisplayOrientation;
            DWORD dmDisplayFixedOutput;
        };
    };
    short dmColor;
    short dmDuplex;
    short dmYResolution;
    short dmTTOption;
    short dmCollate;
    BYTE dmFormName[CCHFORMNAME];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    union {
        DWORD dmDisplayFlags;
        DWORD dmNup;
    };
    DWORD dmDisplayFrequency;
    DWORD dmICMMethod;
    DWORD dmICMIntent;
    DWORD dmMediaType;
    DWORD dmDitherType;
    DWORD dmReserved1;
    DWORD dmReserved2;
    DWORD dmPanningWidth;
    DWORD dmPanningHeight;
} DEVMODEA, *PDEVMODEA, *LPDEVMODEA;
typedef DEVMODEA DEVMODE;
typedef PDEVMODEA PDEVMODE;
typedef LPDEVMODEA LPDEVMODE;

// The mode numbered `mode` (0 up; ENUM_CURRENT_SETTINGS for the present one,
// ENUM_REGISTRY_SETTINGS for the desktop's own); FALSE past the last.  Only
// the primary display (null or "\\.\DISPLAY1") exists.
VANTREL_API BOOL EnumDisplaySettingsA(LPCSTR deviceName, DWORD mode, DEVMODEA* devMode);
// Sets the mode the fields named in dmFields ask for (null: back to the
// desktop's own), for this program only; a mode not listed is
// DISP_CHANGE_BADMODE.  Top-level windows hear WM_DISPLAYCHANGE.
VANTREL_API LONG ChangeDisplaySettingsA(DEVMODEA* devMode, DWORD flags);

#define EnumDisplaySettings EnumDisplaySettingsA
#define ChangeDisplaySettings ChangeDisplaySettingsA

#endif
