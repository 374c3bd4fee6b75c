// The DirectDraw-shaped display device: a display object, surfaces in
// ordinary memory with page flipping, clippers bound to windows and 8-bit
// palettes.
//
// Every operation returns DD_OK (zero) on success and a negative DDERR_* code
// on failure, as the interface games were written for does.  Objects are
// reference counted: AddRef and Release, and an object is gone when Release
// returns 0.
//
// What the display shows depends on the backend chosen at run time
// (VANTREL_VIDEO): with SDL the primary surface appears in the game's window,
// or in full screen scaled to the real display; the headless backend keeps it
// in memory only.  Any emulated depth (8-bit through the palette, 16, 24, 32)
// is converted when shown.
//
// Layout notes.  The structures keep the field names and order of the 32-bit
// interface.  DDPIXELFORMAT has no pointers and keeps its 32 bytes; the
// original DDSURFACEDESC is 108 bytes and DDBLTFX 100, but both hold pointers
// (lpSurface, the surface unions of DDBLTFX), so on a 64-bit system they are
// larger.  Always set dwSize to sizeof the structure: the device checks it.
#ifndef VANTREL_WIN32_DDRAW_H
#define VANTREL_WIN32_DDRAW_H

#include <vantrel/win32/types.h>
#include <vantrel/win32/unknwn.h>

struct IDirectDraw;
struct IDirectDrawSurface;
struct IDirectDrawClipper;
struct IDirectDrawPalette;
typedef IDirectDraw* LPDIRECTDRAW;
typedef IDirectDrawSurface* LPDIRECTDRAWSURFACE;
typedef IDirectDrawClipper* LPDIRECTDRAWCLIPPER;
typedef IDirectDrawPalette* LPDIRECTDRAWPALETTE;

// Results.
#define DD_OK ((HRESULT)0)
#define DD_FALSE S_FALSE
#define MAKE_DDHRESULT(code) ((HRESULT)(0x88760000u | (code)))
#define DDERR_GENERIC E_FAIL
#define DDERR_INVALIDPARAMS E_INVALIDARG
#define DDERR_OUTOFMEMORY E_OUTOFMEMORY
#define DDERR_UNSUPPORTED E_NOTIMPL
#define DDERR_ALREADYINITIALIZED MAKE_DDHRESULT(5)
#define DDERR_CANNOTATTACHSURFACE MAKE_DDHRESULT(10)
#define DDERR_CURRENTLYNOTAVAIL MAKE_DDHRESULT(40)
#define DDERR_INVALIDCAPS MAKE_DDHRESULT(100)
#define DDERR_INVALIDMODE MAKE_DDHRESULT(120)
#define DDERR_INVALIDOBJECT MAKE_DDHRESULT(130)
#define DDERR_INVALIDPIXELFORMAT MAKE_DDHRESULT(145)
#define DDERR_INVALIDRECT MAKE_DDHRESULT(150)
#define DDERR_NOCLIPPERATTACHED MAKE_DDHRESULT(205)
#define DDERR_NOCOOPERATIVELEVELSET MAKE_DDHRESULT(212)
#define DDERR_NOEXCLUSIVEMODE MAKE_DDHRESULT(225)
#define DDERR_NOTFOUND MAKE_DDHRESULT(255)
#define DDERR_SURFACEBUSY MAKE_DDHRESULT(430)
#define DDERR_SURFACELOST MAKE_DDHRESULT(450)
#define DDERR_WASSTILLDRAWING MAKE_DDHRESULT(540)
#define DDERR_PRIMARYSURFACEALREADYEXISTS MAKE_DDHRESULT(564)
#define DDERR_NOHWND MAKE_DDHRESULT(569)
#define DDERR_NOPALETTEATTACHED MAKE_DDHRESULT(572)
#define DDERR_NOTFLIPPABLE MAKE_DDHRESULT(582)
#define DDERR_NOTLOCKED MAKE_DDHRESULT(584)
#define DDERR_CANTCREATEDC MAKE_DDHRESULT(585)
#define DDERR_NODC MAKE_DDHRESULT(586)
#define DDERR_WRONGMODE MAKE_DDHRESULT(587)
#define DDERR_NOTPALETTIZED MAKE_DDHRESULT(589)
#define DDERR_DCALREADYCREATED MAKE_DDHRESULT(620)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)

// Driver selectors for DirectDrawCreate besides a driver's GUID (null is the
// primary display driver).
#define DDCREATE_HARDWAREONLY ((GUID*)(ULONG_PTR)1)
#define DDCREATE_EMULATIONONLY ((GUID*)(ULONG_PTR)2)

// SetCooperativeLevel.
#define DDSCL_FULLSCREEN 0x00000001
#define DDSCL_ALLOWREBOOT 0x00000002
#define DDSCL_NOWINDOWCHANGES 0x00000004
#define DDSCL_NORMAL 0x00000008
#define DDSCL_EXCLUSIVE 0x00000010
#define DDSCL_ALLOWMODEX 0x00000040

// DDSURFACEDESC.dwFlags: which fields are valid.
#define DDSD_CAPS 0x00000001
#define DDSD_HEIGHT 0x00000002
#define DDSD_WIDTH 0x00000004
#define DDSD_PITCH 0x00000008
#define DDSD_BACKBUFFERCOUNT 0x00000020
#define DDSD_ZBUFFERBITDEPTH 0x00000040
#define DDSD_ALPHABITDEPTH 0x00000080
#define DDSD_LPSURFACE 0x00000800
#define DDSD_PIXELFORMAT 0x00001000
#define DDSD_CKDESTOVERLAY 0x00002000
#define DDSD_CKDESTBLT 0x00004000
#define DDSD_CKSRCOVERLAY 0x00008000
#define DDSD_CKSRCBLT 0x00010000
#define DDSD_REFRESHRATE 0x00040000

// DDSCAPS.dwCaps.
#define DDSCAPS_BACKBUFFER 0x00000004
#define DDSCAPS_COMPLEX 0x00000008
#define DDSCAPS_FLIP 0x00000010
#define DDSCAPS_FRONTBUFFER 0x00000020
#define DDSCAPS_OFFSCREENPLAIN 0x00000040
#define DDSCAPS_PALETTE 0x00000100
#define DDSCAPS_PRIMARYSURFACE 0x00000200
#define DDSCAPS_SYSTEMMEMORY 0x00000800
#define DDSCAPS_VIDEOMEMORY 0x00004000
#define DDSCAPS_MODEX 0x00200000

// DDPIXELFORMAT.dwFlags.
#define DDPF_ALPHAPIXELS 0x00000001
#define DDPF_FOURCC 0x00000004
#define DDPF_PALETTEINDEXED8 0x00000020
#define DDPF_RGB 0x00000040

// Blt.
#define DDBLT_ASYNC 0x00000200
#define DDBLT_COLORFILL 0x00000400
#define DDBLT_DDFX 0x00000800
#define DDBLT_KEYSRC 0x00008000
#define DDBLT_WAIT 0x01000000

// Flip.  A flip waits for the vertical blank unless DDFLIP_NOVSYNC is set.
#define DDFLIP_WAIT 0x00000001
#define DDFLIP_NOVSYNC 0x00000008

// Lock.
#define DDLOCK_SURFACEMEMORYPTR 0x00000000
#define DDLOCK_WAIT 0x00000001
#define DDLOCK_READONLY 0x00000010
#define DDLOCK_WRITEONLY 0x00000020

// CreatePalette.
#define DDPCAPS_4BIT 0x00000001
#define DDPCAPS_8BITENTRIES 0x00000002
#define DDPCAPS_8BIT 0x00000004
#define DDPCAPS_INITIALIZE 0x00000008
#define DDPCAPS_PRIMARYSURFACE 0x00000010
#define DDPCAPS_ALLOW256 0x00000040

// EnumDisplayModes.
#define DDEDM_REFRESHRATES 0x00000001
#define DDEDM_STANDARDVGAMODES 0x00000002
#define DDENUMRET_CANCEL 0
#define DDENUMRET_OK 1

// WaitForVerticalBlank.
#define DDWAITVB_BLOCKBEGIN 0x00000001

typedef struct _DDSCAPS {
    DWORD dwCaps;
} DDSCAPS, *LPDDSCAPS;

typedef struct _DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
} DDCOLORKEY, *LPDDCOLORKEY;

typedef struct _DDPIXELFORMAT {
    DWORD dwSize; // sizeof(DDPIXELFORMAT), 32
    DWORD dwFlags;
    DWORD dwFourCC;
    union {
        DWORD dwRGBBitCount;
        DWORD dwYUVBitCount;
        DWORD dwZBufferBitDepth;
        DWORD dwAlphaBitDepth;
    };
    union {
        DWORD dwRBitMask;
        DWORD dwYBitMask;
    };
    union {
        DWORD dwGBitMask;
        DWORD dwUBitMask;
    };
    union {
        DWORD dwBBitMask;
        DWORD dwVBitMask;
    };
    union {
        DWORD dwRGBAlphaBitMask;
        DWORD dwYUVAlphaBitMask;
        DWORD dwRGBZBitMask;
        DWORD dwYUVZBitMask;
    };
} DDPIXELFORMAT, *LPDDPIXELFORMAT;

typedef struct _DDSURFACEDESC {
    DWORD dwSize; // sizeof(DDSURFACEDESC)
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    union {
        LONG lPitch;
        DWORD dwLinearSize;
    };
    DWORD dwBackBufferCount;
    union {
        DWORD dwMipMapCount;
        DWORD dwZBufferBitDepth;
        DWORD dwRefreshRate;
    };
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
} DDSURFACEDESC, *LPDDSURFACEDESC;

typedef struct _DDBLTFX {
    DWORD dwSize; // sizeof(DDBLTFX)
    DWORD dwDDFX;
    DWORD dwROP;
    DWORD dwDDROP;
    DWORD dwRotationAngle;
    DWORD dwZBufferOpCode;
    DWORD dwZBufferLow;
    DWORD dwZBufferHigh;
    DWORD dwZBufferBaseDest;
    DWORD dwZDestConstBitDepth;
    union {
        DWORD dwZDestConst;
        IDirectDrawSurface* lpDDSZBufferDest;
    };
    DWORD dwZSrcConstBitDepth;
    union {
        DWORD dwZSrcConst;
        IDirectDrawSurface* lpDDSZBufferSrc;
    };
    DWORD dwAlphaEdgeBlendBitDepth;
    DWORD dwAlphaEdgeBlend;
    DWORD dwReserved;
    DWORD dwAlphaDestConstBitDepth;
    union {
        DWORD dwAlphaDestConst;
        IDirectDrawSurface* lpDDSAlphaDest;
    };
    DWORD dwAlphaSrcConstBitDepth;
    union {
        DWORD dwAlphaSrcConst;
        IDirectDrawSurface* lpDDSAlphaSrc;
    };
    union {
        DWORD dwFillColor; // the packed pixel DDBLT_COLORFILL writes
        DWORD dwFillDepth;
        DWORD dwFillPixel;
        IDirectDrawSurface* lpDDSPattern;
    };
    DDCOLORKEY ddckDestColorkey;
    DDCOLORKEY ddckSrcColorkey;
} DDBLTFX, *LPDDBLTFX;

static_assert(sizeof(DDPIXELFORMAT) == 32, "DDPIXELFORMAT keeps its 32 bytes");
static_assert(sizeof(void*) != 4 || sizeof(DDSURFACEDESC) == 108, "32-bit DDSURFACEDESC layout");
static_assert(sizeof(void*) != 4 || sizeof(DDBLTFX) == 100, "32-bit DDBLTFX layout");

typedef BOOL(WINAPI* LPDDENUMCALLBACKA)(GUID* guid, LPSTR description, LPSTR name, LPVOID context);
typedef HRESULT(WINAPI* LPDDENUMMODESCALLBACK)(LPDDSURFACEDESC mode, LPVOID context);


struct IDirectDrawPalette : IUnknown {
    virtual HRESULT WINAPI GetCaps(LPDWORD caps) = 0;
    virtual HRESULT WINAPI GetEntries(DWORD flags, DWORD base, DWORD count, LPPALETTEENTRY entries) = 0;
    virtual HRESULT WINAPI SetEntries(DWORD flags, DWORD base, DWORD count, LPPALETTEENTRY entries) = 0;

protected:
    ~IDirectDrawPalette() = default;
};

// A clipper bound to a window limits blits into the primary surface to the
// window's client area (in screen coordinates), and tells the display which
// window shows them.
struct IDirectDrawClipper : IUnknown {
    virtual HRESULT WINAPI GetHWnd(HWND* hwnd) = 0;
    virtual HRESULT WINAPI SetHWnd(DWORD flags, HWND hwnd) = 0;

protected:
    ~IDirectDrawClipper() = default;
};

struct IDirectDrawSurface : IUnknown {
    // Copies `source` (its `sourceRect`, or all of it) into `destRect` (or
    // the whole surface), stretching when the sizes differ; both surfaces
    // must have the same pixel format.  DDBLT_COLORFILL with `fx` fills
    // `destRect` with fx->dwFillColor instead.
    virtual HRESULT WINAPI Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags,
                               LPDDBLTFX fx) = 0;
    // Primary surface of a flipping chain only: exchanges the pixels of the
    // primary and its back buffer and shows the new front.
    virtual HRESULT WINAPI Flip(IDirectDrawSurface* target, DWORD flags) = 0;
    virtual HRESULT WINAPI GetAttachedSurface(LPDDSCAPS caps, IDirectDrawSurface** surface) = 0;
    virtual HRESULT WINAPI GetCaps(LPDDSCAPS caps) = 0;
    virtual HRESULT WINAPI GetClipper(IDirectDrawClipper** clipper) = 0;
    // A device context drawing into the surface's pixels (GDI text).
    virtual HRESULT WINAPI GetDC(HDC* dc) = 0;
    virtual HRESULT WINAPI GetPalette(IDirectDrawPalette** palette) = 0;
    virtual HRESULT WINAPI GetPixelFormat(LPDDPIXELFORMAT format) = 0;
    virtual HRESULT WINAPI GetSurfaceDesc(LPDDSURFACEDESC desc) = 0;
    // DD_OK, or DDERR_SURFACELOST once the display was lost (full screen
    // left, display changed) until Restore or a new surface.
    virtual HRESULT WINAPI IsLost() = 0;
    virtual HRESULT WINAPI Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) = 0;
    virtual HRESULT WINAPI ReleaseDC(HDC dc) = 0;
    virtual HRESULT WINAPI Restore() = 0;
    virtual HRESULT WINAPI SetClipper(IDirectDrawClipper* clipper) = 0;
    virtual HRESULT WINAPI SetPalette(IDirectDrawPalette* palette) = 0;
    virtual HRESULT WINAPI Unlock(LPVOID surface) = 0;

protected:
    ~IDirectDrawSurface() = default;
};

struct IDirectDraw : IUnknown {
    virtual HRESULT WINAPI CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) = 0;
    virtual HRESULT WINAPI CreatePalette(DWORD flags, LPPALETTEENTRY entries, IDirectDrawPalette** palette,
                                         IUnknown* outer) = 0;
    virtual HRESULT WINAPI CreateSurface(LPDDSURFACEDESC desc, IDirectDrawSurface** surface,
                                         IUnknown* outer) = 0;
    virtual HRESULT WINAPI EnumDisplayModes(DWORD flags, LPDDSURFACEDESC filter, LPVOID context,
                                            LPDDENUMMODESCALLBACK callback) = 0;
    virtual HRESULT WINAPI GetDisplayMode(LPDDSURFACEDESC desc) = 0;
    virtual HRESULT WINAPI RestoreDisplayMode() = 0;
    virtual HRESULT WINAPI SetCooperativeLevel(HWND hwnd, DWORD flags) = 0;
    virtual HRESULT WINAPI SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) = 0;
    virtual HRESULT WINAPI WaitForVerticalBlank(DWORD flags, HANDLE event) = 0;

protected:
    ~IDirectDraw() = default;
};

// Creates a display object on a driver: null (the primary display driver),
// DDCREATE_EMULATIONONLY, DDCREATE_HARDWAREONLY or a GUID that
// DirectDrawEnumerateA reported.  `outer` must be null.
VANTREL_API HRESULT WINAPI DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer);
// Calls `callback` for each display driver (GUID, description, name) until
// it returns FALSE.
VANTREL_API HRESULT WINAPI DirectDrawEnumerateA(LPDDENUMCALLBACKA callback, LPVOID context);
#define DirectDrawEnumerate DirectDrawEnumerateA

#endif
