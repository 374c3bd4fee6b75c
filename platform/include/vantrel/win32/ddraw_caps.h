// Capabilities: a surface's (DDSCAPS, DDSCAPS2) and what
// IDirectDraw::GetCaps describes, DDCAPS in the form of the DirectX
// version the game was written for (DIRECTDRAW_VERSION, 0x0700 unless the
// game defines it before <ddraw.h>; 0x0300 and below give DDCAPS_DX3, up to
// 0x0500 DDCAPS_DX5, above that DDCAPS_DX7), and the capability bits.  The
// device answers any of the forms by its dwSize.
#ifndef VANTREL_WIN32_DDRAW_CAPS_H
#define VANTREL_WIN32_DDRAW_CAPS_H

#include <vantrel/win32/types.h>

#ifndef DIRECTDRAW_VERSION
#define DIRECTDRAW_VERSION 0x0700
#endif

// A surface's capabilities: DDSCAPS_* bits, and from IDirectDraw4 on more
// in dwCaps2.
typedef struct _DDSCAPS {
    DWORD dwCaps;
} DDSCAPS, *LPDDSCAPS;

typedef struct _DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    union {
        DWORD dwCaps4;
        DWORD dwVolumeDepth;
    };
} DDSCAPS2, *LPDDSCAPS2;

// DDCAPS.dwCaps.
#define DDCAPS_3D 0x00000001
#define DDCAPS_BLT 0x00000040
#define DDCAPS_BLTQUEUE 0x00000080
#define DDCAPS_BLTFOURCC 0x00000100
#define DDCAPS_BLTSTRETCH 0x00000200
#define DDCAPS_GDI 0x00000400
#define DDCAPS_OVERLAY 0x00000800
#define DDCAPS_PALETTE 0x00008000
#define DDCAPS_PALETTEVSYNC 0x00010000
#define DDCAPS_READSCANLINE 0x00020000
#define DDCAPS_ZBLTS 0x00100000
#define DDCAPS_COLORKEY 0x00400000
#define DDCAPS_ALPHA 0x00800000
#define DDCAPS_COLORKEYHWASSIST 0x01000000
#define DDCAPS_NOHARDWARE 0x02000000
#define DDCAPS_BLTCOLORFILL 0x04000000
#define DDCAPS_BLTDEPTHFILL 0x10000000
#define DDCAPS_CANCLIP 0x20000000
#define DDCAPS_CANCLIPSTRETCHED 0x40000000
#define DDCAPS_CANBLTSYSMEM 0x80000000

// DDCAPS.dwCaps2.
#define DDCAPS2_CERTIFIED 0x00000001
#define DDCAPS2_NOPAGELOCKREQUIRED 0x00000800
#define DDCAPS2_WIDESURFACES 0x00001000
#define DDCAPS2_PRIMARYGAMMA 0x00020000
#define DDCAPS2_CANRENDERWINDOWED 0x00080000
#define DDCAPS2_FLIPINTERVAL 0x00200000
#define DDCAPS2_FLIPNOVSYNC 0x00400000

// DDCAPS.dwCKeyCaps.
#define DDCKEYCAPS_DESTBLT 0x00000001
#define DDCKEYCAPS_DESTBLTCLRSPACE 0x00000002
#define DDCKEYCAPS_DESTOVERLAY 0x00000010
#define DDCKEYCAPS_SRCBLT 0x00000200
#define DDCKEYCAPS_SRCBLTCLRSPACE 0x00000400
#define DDCKEYCAPS_SRCOVERLAY 0x00002000

// DDCAPS.dwFXCaps.
#define DDFXCAPS_BLTMIRRORLEFTRIGHT 0x00000040
#define DDFXCAPS_BLTMIRRORUPDOWN 0x00000080
#define DDFXCAPS_BLTSHRINKX 0x00000400
#define DDFXCAPS_BLTSHRINKXN 0x00000800
#define DDFXCAPS_BLTSHRINKY 0x00001000
#define DDFXCAPS_BLTSHRINKYN 0x00002000
#define DDFXCAPS_BLTSTRETCHX 0x00004000
#define DDFXCAPS_BLTSTRETCHXN 0x00008000
#define DDFXCAPS_BLTSTRETCHY 0x00010000
#define DDFXCAPS_BLTSTRETCHYN 0x00020000

#define DD_ROP_SPACE (256 / 32)

// The fields every form shares, the surface caps field named as its form
// names it.
#define VANTREL_DDCAPS_FIELDS(surfaceCaps)                                                                    \
    DWORD dwSize;                                                                                             \
    DWORD dwCaps;                                                                                             \
    DWORD dwCaps2;                                                                                            \
    DWORD dwCKeyCaps;                                                                                         \
    DWORD dwFXCaps;                                                                                           \
    DWORD dwFXAlphaCaps;                                                                                      \
    DWORD dwPalCaps;                                                                                          \
    DWORD dwSVCaps;                                                                                           \
    DWORD dwAlphaBltConstBitDepths;                                                                           \
    DWORD dwAlphaBltPixelBitDepths;                                                                           \
    DWORD dwAlphaBltSurfaceBitDepths;                                                                         \
    DWORD dwAlphaOverlayConstBitDepths;                                                                       \
    DWORD dwAlphaOverlayPixelBitDepths;                                                                       \
    DWORD dwAlphaOverlaySurfaceBitDepths;                                                                     \
    DWORD dwZBufferBitDepths;                                                                                 \
    DWORD dwVidMemTotal;                                                                                      \
    DWORD dwVidMemFree;                                                                                       \
    DWORD dwMaxVisibleOverlays;                                                                               \
    DWORD dwCurrVisibleOverlays;                                                                              \
    DWORD dwNumFourCCCodes;                                                                                   \
    DWORD dwAlignBoundarySrc;                                                                                 \
    DWORD dwAlignSizeSrc;                                                                                     \
    DWORD dwAlignBoundaryDest;                                                                                \
    DWORD dwAlignSizeDest;                                                                                    \
    DWORD dwAlignStrideAlign;                                                                                 \
    DWORD dwRops[DD_ROP_SPACE];                                                                               \
    DDSCAPS surfaceCaps;                                                                                      \
    DWORD dwMinOverlayStretch;                                                                                \
    DWORD dwMaxOverlayStretch;                                                                                \
    DWORD dwMinLiveVideoStretch;                                                                              \
    DWORD dwMaxLiveVideoStretch;                                                                              \
    DWORD dwMinHwCodecStretch;                                                                                \
    DWORD dwMaxHwCodecStretch;                                                                                \
    DWORD dwReserved1;                                                                                        \
    DWORD dwReserved2;                                                                                        \
    DWORD dwReserved3;                                                                                        \
    DWORD dwSVBCaps;                                                                                          \
    DWORD dwSVBCKeyCaps;                                                                                      \
    DWORD dwSVBFXCaps;                                                                                        \
    DWORD dwSVBRops[DD_ROP_SPACE];                                                                            \
    DWORD dwVSBCaps;                                                                                          \
    DWORD dwVSBCKeyCaps;                                                                                      \
    DWORD dwVSBFXCaps;                                                                                        \
    DWORD dwVSBRops[DD_ROP_SPACE];                                                                            \
    DWORD dwSSBCaps;                                                                                          \
    DWORD dwSSBCKeyCaps;                                                                                      \
    DWORD dwSSBFXCaps;                                                                                        \
    DWORD dwSSBRops[DD_ROP_SPACE];

#define VANTREL_DDCAPS_DX5_FIELDS                                                                             \
    DWORD dwMaxVideoPorts;                                                                                    \
    DWORD dwCurrVideoPorts;                                                                                   \
    DWORD dwSVBCaps2;                                                                                         \
    DWORD dwNLVBCaps;                                                                                         \
    DWORD dwNLVBCaps2;                                                                                        \
    DWORD dwNLVBCKeyCaps;                                                                                     \
    DWORD dwNLVBFXCaps;                                                                                       \
    DWORD dwNLVBRops[DD_ROP_SPACE];

typedef struct _DDCAPS_DX3 {
    VANTREL_DDCAPS_FIELDS(ddsCaps)
    DWORD dwReserved4;
    DWORD dwReserved5;
    DWORD dwReserved6;
} DDCAPS_DX3, *LPDDCAPS_DX3;

typedef struct _DDCAPS_DX5 {
    VANTREL_DDCAPS_FIELDS(ddsCaps)
    VANTREL_DDCAPS_DX5_FIELDS
} DDCAPS_DX5, *LPDDCAPS_DX5;

// DirectX 6 and 7 share one form.
typedef struct _DDCAPS_DX7 {
    VANTREL_DDCAPS_FIELDS(ddsOldCaps)
    VANTREL_DDCAPS_DX5_FIELDS
    DDSCAPS2 ddsCaps;
} DDCAPS_DX7, *LPDDCAPS_DX7;
typedef DDCAPS_DX7 DDCAPS_DX6;
typedef DDCAPS_DX7* LPDDCAPS_DX6;

#undef VANTREL_DDCAPS_FIELDS
#undef VANTREL_DDCAPS_DX5_FIELDS

static_assert(sizeof(DDCAPS_DX3) == 316 && sizeof(DDCAPS_DX5) == 364 && sizeof(DDCAPS_DX7) == 380,
              "the DDCAPS forms keep Windows' sizes");

#if DIRECTDRAW_VERSION <= 0x300
typedef DDCAPS_DX3 DDCAPS;
#elif DIRECTDRAW_VERSION <= 0x500
typedef DDCAPS_DX5 DDCAPS;
#else
typedef DDCAPS_DX7 DDCAPS;
#endif
typedef DDCAPS* LPDDCAPS;

#endif
