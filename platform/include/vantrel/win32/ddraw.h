// The DirectDraw-shaped display device: a display object, surfaces in
// ordinary memory with page flipping, clippers bound to windows and 8-bit
// palettes.
//
// Every operation returns DD_OK (zero) on success and a negative DDERR_* code
// on failure, as the interface games were written for does.  Objects are
// reference counted with AddRef and Release, each of an object's interfaces
// (IDirectDraw to IDirectDraw7, IDirectDrawSurface to IDirectDrawSurface7)
// on its own; the object is gone when the last of them returns 0.
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
// larger.  Always set dwSize to sizeof the structure: the device checks it
// (Lock takes DDSURFACEDESC or DDSURFACEDESC2 through any interface, as
// Windows does).
#ifndef VANTREL_WIN32_DDRAW_H
#define VANTREL_WIN32_DDRAW_H

#include <vantrel/win32/types.h>
#include <vantrel/win32/unknwn.h>
#include <vantrel/win32/ddraw_caps.h>
#include <vantrel/win32/ddraw_errors.h>

struct IDirectDraw;
struct IDirectDrawSurface;
struct IDirectDrawClipper;
struct IDirectDrawPalette;
typedef IDirectDraw* LPDIRECTDRAW;
typedef IDirectDrawSurface* LPDIRECTDRAWSURFACE;
typedef IDirectDrawClipper* LPDIRECTDRAWCLIPPER;
typedef IDirectDrawPalette* LPDIRECTDRAWPALETTE;
struct IDirectDraw2;
struct IDirectDraw4;
struct IDirectDraw7;
struct IDirectDrawSurface2;
struct IDirectDrawSurface3;
struct IDirectDrawSurface4;
struct IDirectDrawSurface7;
typedef IDirectDraw2* LPDIRECTDRAW2;
typedef IDirectDraw4* LPDIRECTDRAW4;
typedef IDirectDraw7* LPDIRECTDRAW7;
typedef IDirectDrawSurface2* LPDIRECTDRAWSURFACE2;
typedef IDirectDrawSurface3* LPDIRECTDRAWSURFACE3;
typedef IDirectDrawSurface4* LPDIRECTDRAWSURFACE4;
typedef IDirectDrawSurface7* LPDIRECTDRAWSURFACE7;

// The interfaces QueryInterface and DirectDrawCreateEx know, with Windows'
// values.
VANTREL_API extern const IID IID_IDirectDraw;
VANTREL_API extern const IID IID_IDirectDraw2;
VANTREL_API extern const IID IID_IDirectDraw4;
VANTREL_API extern const IID IID_IDirectDraw7;
VANTREL_API extern const IID IID_IDirectDrawSurface;
VANTREL_API extern const IID IID_IDirectDrawSurface2;
VANTREL_API extern const IID IID_IDirectDrawSurface3;
VANTREL_API extern const IID IID_IDirectDrawSurface4;
VANTREL_API extern const IID IID_IDirectDrawSurface7;
VANTREL_API extern const IID IID_IDirectDrawPalette;
VANTREL_API extern const IID IID_IDirectDrawClipper;

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

// IDirectDraw2 and later SetDisplayMode: 320 x 200 x 8 as the VGA's mode
// 13h rather than Mode X.
#define DDSDM_STANDARDVGAMODE 0x00000001

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
#define DDSD_MIPMAPCOUNT 0x00020000
#define DDSD_REFRESHRATE 0x00040000
#define DDSD_LINEARSIZE 0x00080000
#define DDSD_TEXTURESTAGE 0x00100000
#define DDSD_ALL 0x00fff9ee

// DDSCAPS.dwCaps.
#define DDSCAPS_ALPHA 0x00000002
#define DDSCAPS_BACKBUFFER 0x00000004
#define DDSCAPS_COMPLEX 0x00000008
#define DDSCAPS_FLIP 0x00000010
#define DDSCAPS_FRONTBUFFER 0x00000020
#define DDSCAPS_OFFSCREENPLAIN 0x00000040
#define DDSCAPS_OVERLAY 0x00000080
#define DDSCAPS_PALETTE 0x00000100
#define DDSCAPS_PRIMARYSURFACE 0x00000200
#define DDSCAPS_SYSTEMMEMORY 0x00000800
#define DDSCAPS_TEXTURE 0x00001000
#define DDSCAPS_3DDEVICE 0x00002000
#define DDSCAPS_VIDEOMEMORY 0x00004000
#define DDSCAPS_VISIBLE 0x00008000
#define DDSCAPS_WRITEONLY 0x00010000
#define DDSCAPS_ZBUFFER 0x00020000
#define DDSCAPS_OWNDC 0x00040000
#define DDSCAPS_MODEX 0x00200000
#define DDSCAPS_MIPMAP 0x00400000
#define DDSCAPS_ALLOCONLOAD 0x04000000
#define DDSCAPS_LOCALVIDMEM 0x10000000
#define DDSCAPS_NONLOCALVIDMEM 0x20000000
#define DDSCAPS_STANDARDVGAMODE 0x40000000

// DDSCAPS2.dwCaps2 (IDirectDraw4 and later).
#define DDSCAPS2_HINTDYNAMIC 0x00000004
#define DDSCAPS2_HINTSTATIC 0x00000008
#define DDSCAPS2_TEXTUREMANAGE 0x00000010
#define DDSCAPS2_OPAQUE 0x00000080

// DDPIXELFORMAT.dwFlags.
#define DDPF_ALPHAPIXELS 0x00000001
#define DDPF_FOURCC 0x00000004
#define DDPF_PALETTEINDEXED8 0x00000020
#define DDPF_RGB 0x00000040

// Blt.
#define DDBLT_ASYNC 0x00000200
#define DDBLT_COLORFILL 0x00000400
#define DDBLT_DDFX 0x00000800
#define DDBLT_KEYDEST 0x00002000
#define DDBLT_KEYDESTOVERRIDE 0x00004000
#define DDBLT_KEYSRC 0x00008000
#define DDBLT_KEYSRCOVERRIDE 0x00010000
#define DDBLT_WAIT 0x01000000
#define DDBLT_DONOTWAIT 0x08000000

// BltFast: an unstretched copy to a point, with the source's or the
// destination's colour key.  A surface with a clipper is refused.
#define DDBLTFAST_NOCOLORKEY 0x00000000
#define DDBLTFAST_SRCCOLORKEY 0x00000001
#define DDBLTFAST_DESTCOLORKEY 0x00000002
#define DDBLTFAST_WAIT 0x00000010
#define DDBLTFAST_DONOTWAIT 0x00000020

// SetColorKey and GetColorKey: which key.  A source key marks the pixels a
// keyed blit from the surface leaves out; a destination key marks the only
// pixels a keyed blit into it may change.
#define DDCKEY_COLORSPACE 0x00000001
#define DDCKEY_DESTBLT 0x00000002
#define DDCKEY_DESTOVERLAY 0x00000004
#define DDCKEY_SRCBLT 0x00000008
#define DDCKEY_SRCOVERLAY 0x00000010

// GetBltStatus and GetFlipStatus.
#define DDGBS_CANBLT 0x00000001
#define DDGBS_ISBLTDONE 0x00000002
#define DDGFS_CANFLIP 0x00000001
#define DDGFS_ISFLIPDONE 0x00000002

// Flip.  A flip waits for the vertical blank unless DDFLIP_NOVSYNC is set.
#define DDFLIP_WAIT 0x00000001
#define DDFLIP_NOVSYNC 0x00000008

// Lock.
#define DDLOCK_SURFACEMEMORYPTR 0x00000000
#define DDLOCK_WAIT 0x00000001
#define DDLOCK_READONLY 0x00000010
#define DDLOCK_WRITEONLY 0x00000020
#define DDLOCK_NOSYSLOCK 0x00000800
#define DDLOCK_DONOTWAIT 0x00004000

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
#define DDWAITVB_BLOCKEND 0x00000004


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

// The description IDirectDraw4 and later take: DDSURFACEDESC with DDSCAPS2
// and the texture stage at its end (124 bytes on a 32-bit system).
typedef struct _DDSURFACEDESC2 {
    DWORD dwSize; // sizeof(DDSURFACEDESC2)
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    union {
        LONG lPitch;
        DWORD dwLinearSize;
    };
    union {
        DWORD dwBackBufferCount;
        DWORD dwDepth;
    };
    union {
        DWORD dwMipMapCount;
        DWORD dwRefreshRate;
        DWORD dwSrcVBHandle;
    };
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;
    union {
        DDCOLORKEY ddckCKDestOverlay;
        DWORD dwEmptyFaceColor;
    };
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    union {
        DDPIXELFORMAT ddpfPixelFormat;
        DWORD dwFVF;
    };
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage;
} DDSURFACEDESC2, *LPDDSURFACEDESC2;

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
static_assert(sizeof(void*) != 4 || sizeof(DDSURFACEDESC2) == 124, "32-bit DDSURFACEDESC2 layout");

typedef BOOL(WINAPI* LPDDENUMCALLBACKA)(GUID* guid, LPSTR description, LPSTR name, LPVOID context);
typedef HRESULT(WINAPI* LPDDENUMMODESCALLBACK)(LPDDSURFACEDESC mode, LPVOID context);
typedef HRESULT(WINAPI* LPDDENUMMODESCALLBACK2)(LPDDSURFACEDESC2 mode, LPVOID context);
// EnumAttachedSurfaces: each surface comes with a reference the callback
// releases; DDENUMRET_CANCEL stops the walk.
typedef HRESULT(WINAPI* LPDDENUMSURFACESCALLBACK)(LPDIRECTDRAWSURFACE surface, LPDDSURFACEDESC desc,
                                                  LPVOID context);
typedef HRESULT(WINAPI* LPDDENUMSURFACESCALLBACK2)(LPDIRECTDRAWSURFACE4 surface, LPDDSURFACEDESC2 desc,
                                                   LPVOID context);
typedef HRESULT(WINAPI* LPDDENUMSURFACESCALLBACK7)(LPDIRECTDRAWSURFACE7 surface, LPDDSURFACEDESC2 desc,
                                                   LPVOID context);


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

// The surface interfaces.  Each version is an interface of its own over the
// same surface, reached through QueryInterface, with its own reference count:
// the surface lives while any of them is referenced.  Surfaces passed to a
// version's methods are of that version; IDirectDrawSurface4 and 7 describe
// themselves with DDSURFACEDESC2 and DDSCAPS2.
struct IDirectDrawSurface : IUnknown {
    // A surface of the same size joins this one's attachments (a back buffer
    // attached to the primary makes a chain Flip exchanges).
    virtual HRESULT WINAPI AddAttachedSurface(LPDIRECTDRAWSURFACE surface) = 0;
    // Copies `source` (its `sourceRect`, or all of it) into `destRect` (or
    // the whole surface), stretching when the sizes differ; both surfaces
    // must have the same pixel format.  DDBLT_COLORFILL with `fx` fills
    // `destRect` with fx->dwFillColor instead.  DDBLT_KEYSRC / KEYDEST use
    // the surfaces' colour keys, the _OVERRIDE flags fx's.
    virtual HRESULT WINAPI Blt(LPRECT destRect, LPDIRECTDRAWSURFACE source, LPRECT sourceRect, DWORD flags,
                               LPDDBLTFX fx) = 0;
    // Copies `sourceRect` (or all of `source`) to (x, y) unstretched.
    virtual HRESULT WINAPI BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source, LPRECT sourceRect,
                                   DWORD trans) = 0;
    virtual HRESULT WINAPI DeleteAttachedSurface(DWORD flags, LPDIRECTDRAWSURFACE surface) = 0;
    virtual HRESULT WINAPI EnumAttachedSurfaces(LPVOID context, LPDDENUMSURFACESCALLBACK callback) = 0;
    // Primary surface of a flipping chain only: exchanges the pixels of the
    // primary and its back buffer and shows the new front.
    virtual HRESULT WINAPI Flip(LPDIRECTDRAWSURFACE target, DWORD flags) = 0;
    virtual HRESULT WINAPI GetAttachedSurface(LPDDSCAPS caps, LPDIRECTDRAWSURFACE* surface) = 0;
    virtual HRESULT WINAPI GetBltStatus(DWORD flags) = 0;
    virtual HRESULT WINAPI GetCaps(LPDDSCAPS caps) = 0;
    virtual HRESULT WINAPI GetClipper(LPDIRECTDRAWCLIPPER* clipper) = 0;
    virtual HRESULT WINAPI GetColorKey(DWORD flags, LPDDCOLORKEY key) = 0;
    // A device context drawing into the surface's pixels (GDI text).
    virtual HRESULT WINAPI GetDC(HDC* dc) = 0;
    virtual HRESULT WINAPI GetFlipStatus(DWORD flags) = 0;
    virtual HRESULT WINAPI GetPalette(LPDIRECTDRAWPALETTE* palette) = 0;
    virtual HRESULT WINAPI GetPixelFormat(LPDDPIXELFORMAT format) = 0;
    virtual HRESULT WINAPI GetSurfaceDesc(LPDDSURFACEDESC desc) = 0;
    // DD_OK, or DDERR_SURFACELOST once the display was lost (full screen
    // left, display changed) until Restore or a new surface.
    virtual HRESULT WINAPI IsLost() = 0;
    virtual HRESULT WINAPI Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) = 0;
    virtual HRESULT WINAPI ReleaseDC(HDC dc) = 0;
    virtual HRESULT WINAPI Restore() = 0;
    virtual HRESULT WINAPI SetClipper(LPDIRECTDRAWCLIPPER clipper) = 0;
    // A null key removes it.
    virtual HRESULT WINAPI SetColorKey(DWORD flags, LPDDCOLORKEY key) = 0;
    virtual HRESULT WINAPI SetPalette(LPDIRECTDRAWPALETTE palette) = 0;
    virtual HRESULT WINAPI Unlock(LPVOID surface) = 0;

protected:
    ~IDirectDrawSurface() = default;
};

// IDirectDrawSurface2 and 3 add the display object that made the surface and
// page locking (which keeps nothing from moving here, so it only counts).
#define VANTREL_DDRAW_SURFACE_METHODS(Surface, Desc, Caps, EnumCallback, UnlockArgument)                     \
    virtual HRESULT WINAPI AddAttachedSurface(Surface* surface) = 0;                                           \
    virtual HRESULT WINAPI Blt(LPRECT destRect, Surface* source, LPRECT sourceRect, DWORD flags,               \
                               LPDDBLTFX fx) = 0;                                                              \
    virtual HRESULT WINAPI BltFast(DWORD x, DWORD y, Surface* source, LPRECT sourceRect, DWORD trans) = 0;     \
    virtual HRESULT WINAPI DeleteAttachedSurface(DWORD flags, Surface* surface) = 0;                           \
    virtual HRESULT WINAPI EnumAttachedSurfaces(LPVOID context, EnumCallback callback) = 0;                    \
    virtual HRESULT WINAPI Flip(Surface* target, DWORD flags) = 0;                                             \
    virtual HRESULT WINAPI GetAttachedSurface(Caps* caps, Surface** surface) = 0;                              \
    virtual HRESULT WINAPI GetBltStatus(DWORD flags) = 0;                                                      \
    virtual HRESULT WINAPI GetCaps(Caps* caps) = 0;                                                            \
    virtual HRESULT WINAPI GetClipper(LPDIRECTDRAWCLIPPER* clipper) = 0;                                       \
    virtual HRESULT WINAPI GetColorKey(DWORD flags, LPDDCOLORKEY key) = 0;                                     \
    virtual HRESULT WINAPI GetDC(HDC* dc) = 0;                                                                 \
    virtual HRESULT WINAPI GetFlipStatus(DWORD flags) = 0;                                                     \
    virtual HRESULT WINAPI GetPalette(LPDIRECTDRAWPALETTE* palette) = 0;                                       \
    virtual HRESULT WINAPI GetPixelFormat(LPDDPIXELFORMAT format) = 0;                                         \
    virtual HRESULT WINAPI GetSurfaceDesc(Desc* desc) = 0;                                                     \
    virtual HRESULT WINAPI IsLost() = 0;                                                                       \
    virtual HRESULT WINAPI Lock(LPRECT rect, Desc* desc, DWORD flags, HANDLE event) = 0;                       \
    virtual HRESULT WINAPI ReleaseDC(HDC dc) = 0;                                                              \
    virtual HRESULT WINAPI Restore() = 0;                                                                      \
    virtual HRESULT WINAPI SetClipper(LPDIRECTDRAWCLIPPER clipper) = 0;                                        \
    virtual HRESULT WINAPI SetColorKey(DWORD flags, LPDDCOLORKEY key) = 0;                                     \
    virtual HRESULT WINAPI SetPalette(LPDIRECTDRAWPALETTE palette) = 0;                                        \
    virtual HRESULT WINAPI Unlock(UnlockArgument surface) = 0;                                                 \
    /* The display object interface that made the surface, referenced. */                                     \
    virtual HRESULT WINAPI GetDDInterface(LPVOID* directDraw) = 0;                                             \
    virtual HRESULT WINAPI PageLock(DWORD flags) = 0;                                                          \
    virtual HRESULT WINAPI PageUnlock(DWORD flags) = 0;

struct IDirectDrawSurface2 : IUnknown {
    VANTREL_DDRAW_SURFACE_METHODS(IDirectDrawSurface2, DDSURFACEDESC, DDSCAPS, LPDDENUMSURFACESCALLBACK, LPVOID)

protected:
    ~IDirectDrawSurface2() = default;
};

struct IDirectDrawSurface3 : IUnknown {
    VANTREL_DDRAW_SURFACE_METHODS(IDirectDrawSurface3, DDSURFACEDESC, DDSCAPS, LPDDENUMSURFACESCALLBACK, LPVOID)

protected:
    ~IDirectDrawSurface3() = default;
};

// IDirectDrawSurface4 and 7 add a uniqueness value that changes whenever the
// pixels may have (a game caches what it derived from the surface by it).
struct IDirectDrawSurface4 : IUnknown {
    VANTREL_DDRAW_SURFACE_METHODS(IDirectDrawSurface4, DDSURFACEDESC2, DDSCAPS2, LPDDENUMSURFACESCALLBACK2,
                                  LPRECT)
    virtual HRESULT WINAPI GetUniquenessValue(LPDWORD value) = 0;
    virtual HRESULT WINAPI ChangeUniquenessValue() = 0;

protected:
    ~IDirectDrawSurface4() = default;
};

struct IDirectDrawSurface7 : IUnknown {
    VANTREL_DDRAW_SURFACE_METHODS(IDirectDrawSurface7, DDSURFACEDESC2, DDSCAPS2, LPDDENUMSURFACESCALLBACK7,
                                  LPRECT)
    virtual HRESULT WINAPI GetUniquenessValue(LPDWORD value) = 0;
    virtual HRESULT WINAPI ChangeUniquenessValue() = 0;

protected:
    ~IDirectDrawSurface7() = default;
};

#undef VANTREL_DDRAW_SURFACE_METHODS

// The display object's interfaces, each with its own reference count like
// the surface's.  IDirectDraw2 adds SetDisplayMode with a refresh rate and
// GetAvailableVidMem; IDirectDraw4 and 7 make surfaces of their own version
// from a DDSURFACEDESC2 (and hold a reference on the interface that made
// them) and add TestCooperativeLevel and RestoreAllSurfaces.
struct IDirectDraw : IUnknown {
    // Nothing to gather: surfaces are in ordinary memory.
    virtual HRESULT WINAPI Compact() = 0;
    virtual HRESULT WINAPI CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer) = 0;
    virtual HRESULT WINAPI CreatePalette(DWORD flags, LPPALETTEENTRY entries, LPDIRECTDRAWPALETTE* palette,
                                         IUnknown* outer) = 0;
    virtual HRESULT WINAPI CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface,
                                         IUnknown* outer) = 0;
    virtual HRESULT WINAPI EnumDisplayModes(DWORD flags, LPDDSURFACEDESC filter, LPVOID context,
                                            LPDDENUMMODESCALLBACK callback) = 0;
    // The primary shows what the game drew last, which is what GDI draws
    // on too: there is nothing to flip back.
    virtual HRESULT WINAPI FlipToGDISurface() = 0;
    // What the device can do, in either or both structures (each of any
    // DDCAPS form, by its dwSize): the same for both, as every operation is
    // the library's own.
    virtual HRESULT WINAPI GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps) = 0;
    virtual HRESULT WINAPI GetDisplayMode(LPDDSURFACEDESC desc) = 0;
    // The surface GDI draws on: the primary, referenced; DDERR_NOTFOUND
    // before there is one.
    virtual HRESULT WINAPI GetGDISurface(LPDIRECTDRAWSURFACE* surface) = 0;
    // The rate every mode is shown at: 60.
    virtual HRESULT WINAPI GetMonitorFrequency(LPDWORD frequency) = 0;
    // There is no beam to ask about: the answer alternates, so that a loop
    // waiting for either state ends.
    virtual HRESULT WINAPI GetVerticalBlankStatus(BOOL* inVerticalBlank) = 0;
    virtual HRESULT WINAPI RestoreDisplayMode() = 0;
    virtual HRESULT WINAPI SetCooperativeLevel(HWND hwnd, DWORD flags) = 0;
    virtual HRESULT WINAPI SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) = 0;
    virtual HRESULT WINAPI WaitForVerticalBlank(DWORD flags, HANDLE event) = 0;

protected:
    ~IDirectDraw() = default;
};

#define VANTREL_DDRAW_METHODS(Surface, Desc, ModesCallback, Caps)                                              \
    virtual HRESULT WINAPI Compact() = 0;                                                                      \
    virtual HRESULT WINAPI CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer) = 0;      \
    virtual HRESULT WINAPI CreatePalette(DWORD flags, LPPALETTEENTRY entries, LPDIRECTDRAWPALETTE* palette,    \
                                         IUnknown* outer) = 0;                                                 \
    virtual HRESULT WINAPI CreateSurface(Desc* desc, Surface** surface, IUnknown* outer) = 0;                  \
    virtual HRESULT WINAPI EnumDisplayModes(DWORD flags, Desc* filter, LPVOID context,                         \
                                            ModesCallback callback) = 0;                                       \
    virtual HRESULT WINAPI FlipToGDISurface() = 0;                                                             \
    virtual HRESULT WINAPI GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps) = 0;                           \
    virtual HRESULT WINAPI GetDisplayMode(Desc* desc) = 0;                                                     \
    virtual HRESULT WINAPI GetGDISurface(Surface** surface) = 0;                                               \
    virtual HRESULT WINAPI GetMonitorFrequency(LPDWORD frequency) = 0;                                         \
    virtual HRESULT WINAPI GetVerticalBlankStatus(BOOL* inVerticalBlank) = 0;                                  \
    virtual HRESULT WINAPI RestoreDisplayMode() = 0;                                                           \
    virtual HRESULT WINAPI SetCooperativeLevel(HWND hwnd, DWORD flags) = 0;                                    \
    virtual HRESULT WINAPI SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,    \
                                          DWORD flags) = 0;                                                    \
    virtual HRESULT WINAPI WaitForVerticalBlank(DWORD flags, HANDLE event) = 0;                                \
    virtual HRESULT WINAPI GetAvailableVidMem(Caps* caps, LPDWORD total, LPDWORD available) = 0;

struct IDirectDraw2 : IUnknown {
    VANTREL_DDRAW_METHODS(IDirectDrawSurface, DDSURFACEDESC, LPDDENUMMODESCALLBACK, DDSCAPS)

protected:
    ~IDirectDraw2() = default;
};

struct IDirectDraw4 : IUnknown {
    VANTREL_DDRAW_METHODS(IDirectDrawSurface4, DDSURFACEDESC2, LPDDENUMMODESCALLBACK2, DDSCAPS2)
    virtual HRESULT WINAPI RestoreAllSurfaces() = 0;
    // DD_OK while the game may draw: DDERR_NOEXCLUSIVEMODE once a
    // full-screen game lost the display.
    virtual HRESULT WINAPI TestCooperativeLevel() = 0;

protected:
    ~IDirectDraw4() = default;
};

struct IDirectDraw7 : IUnknown {
    VANTREL_DDRAW_METHODS(IDirectDrawSurface7, DDSURFACEDESC2, LPDDENUMMODESCALLBACK2, DDSCAPS2)
    virtual HRESULT WINAPI RestoreAllSurfaces() = 0;
    virtual HRESULT WINAPI TestCooperativeLevel() = 0;

protected:
    ~IDirectDraw7() = default;
};

#undef VANTREL_DDRAW_METHODS

// Creates a display object on a driver: null (the primary display driver),
// DDCREATE_EMULATIONONLY, DDCREATE_HARDWAREONLY or a GUID that
// DirectDrawEnumerateA reported.  `outer` must be null.
VANTREL_API HRESULT WINAPI DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer);
// The same, returning its IDirectDraw7 interface: `iid` must be
// IID_IDirectDraw7.
VANTREL_API HRESULT WINAPI DirectDrawCreateEx(GUID* driver, LPVOID* directDraw, REFIID iid, IUnknown* outer);
// A clipper of no display object, for SetClipper on any surface.
VANTREL_API HRESULT WINAPI DirectDrawCreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer);
// Calls `callback` for each display driver (GUID, description, name) until
// it returns FALSE.
VANTREL_API HRESULT WINAPI DirectDrawEnumerateA(LPDDENUMCALLBACKA callback, LPVOID context);
#define DirectDrawEnumerate DirectDrawEnumerateA

#endif
