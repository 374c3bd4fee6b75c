// Every name added for DirectDraw as later games use it and for the drives,
// called (or, for constants and types, used) from source that compiles
// unchanged against the real Windows headers and against the compatibility
// headers: each call holds a signature to Windows'.
#include <ddraw.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

const HRESULT kEveryDirectDrawError[] = {
    DDERR_ALREADYINITIALIZED, DDERR_CANNOTATTACHSURFACE, DDERR_CANNOTDETACHSURFACE, DDERR_CURRENTLYNOTAVAIL,
    DDERR_EXCEPTION, DDERR_GENERIC, DDERR_HEIGHTALIGN, DDERR_INCOMPATIBLEPRIMARY, DDERR_INVALIDCAPS,
    DDERR_INVALIDCLIPLIST, DDERR_INVALIDMODE, DDERR_INVALIDOBJECT, DDERR_INVALIDPARAMS,
    DDERR_INVALIDPIXELFORMAT, DDERR_INVALIDRECT, DDERR_LOCKEDSURFACES, DDERR_NO3D, DDERR_NOALPHAHW,
    DDERR_NOSTEREOHARDWARE, DDERR_NOSURFACELEFT, DDERR_NOCLIPLIST, DDERR_NOCOLORCONVHW,
    DDERR_NOCOOPERATIVELEVELSET, DDERR_NOCOLORKEY, DDERR_NOCOLORKEYHW, DDERR_NODIRECTDRAWSUPPORT,
    DDERR_NOEXCLUSIVEMODE, DDERR_NOFLIPHW, DDERR_NOGDI, DDERR_NOMIRRORHW, DDERR_NOTFOUND, DDERR_NOOVERLAYHW,
    DDERR_OVERLAPPINGRECTS, DDERR_NORASTEROPHW, DDERR_NOROTATIONHW, DDERR_NOSTRETCHHW, DDERR_NOT4BITCOLOR,
    DDERR_NOT4BITCOLORINDEX, DDERR_NOT8BITCOLOR, DDERR_NOTEXTUREHW, DDERR_NOVSYNCHW, DDERR_NOZBUFFERHW,
    DDERR_NOZOVERLAYHW, DDERR_OUTOFCAPS, DDERR_OUTOFMEMORY, DDERR_OUTOFVIDEOMEMORY, DDERR_OVERLAYCANTCLIP,
    DDERR_OVERLAYCOLORKEYONLYONEACTIVE, DDERR_PALETTEBUSY, DDERR_COLORKEYNOTSET, DDERR_SURFACEALREADYATTACHED,
    DDERR_SURFACEALREADYDEPENDENT, DDERR_SURFACEBUSY, DDERR_CANTLOCKSURFACE, DDERR_SURFACEISOBSCURED,
    DDERR_SURFACELOST, DDERR_SURFACENOTATTACHED, DDERR_TOOBIGHEIGHT, DDERR_TOOBIGSIZE, DDERR_TOOBIGWIDTH,
    DDERR_UNSUPPORTED, DDERR_UNSUPPORTEDFORMAT, DDERR_UNSUPPORTEDMASK, DDERR_INVALIDSTREAM,
    DDERR_VERTICALBLANKINPROGRESS, DDERR_WASSTILLDRAWING, DDERR_DDSCAPSCOMPLEXREQUIRED, DDERR_XALIGN,
    DDERR_INVALIDDIRECTDRAWGUID, DDERR_DIRECTDRAWALREADYCREATED, DDERR_NODIRECTDRAWHW,
    DDERR_PRIMARYSURFACEALREADYEXISTS, DDERR_NOEMULATION, DDERR_REGIONTOOSMALL, DDERR_CLIPPERISUSINGHWND,
    DDERR_NOCLIPPERATTACHED, DDERR_NOHWND, DDERR_HWNDSUBCLASSED, DDERR_HWNDALREADYSET, DDERR_NOPALETTEATTACHED,
    DDERR_NOPALETTEHW, DDERR_BLTFASTCANTCLIP, DDERR_NOBLTHW, DDERR_NODDROPSHW, DDERR_OVERLAYNOTVISIBLE,
    DDERR_NOOVERLAYDEST, DDERR_INVALIDPOSITION, DDERR_NOTAOVERLAYSURFACE, DDERR_EXCLUSIVEMODEALREADYSET,
    DDERR_NOTFLIPPABLE, DDERR_CANTDUPLICATE, DDERR_NOTLOCKED, DDERR_CANTCREATEDC, DDERR_NODC, DDERR_WRONGMODE,
    DDERR_IMPLICITLYCREATED, DDERR_NOTPALETTIZED, DDERR_UNSUPPORTEDMODE, DDERR_NOMIPMAPHW,
    DDERR_INVALIDSURFACETYPE, DDERR_NOOPTIMIZEHW, DDERR_NOTLOADED, DDERR_NOFOCUSWINDOW,
    DDERR_NOTONMIPMAPSUBLEVEL, DDERR_DCALREADYCREATED, DDERR_NONONLOCALVIDMEM, DDERR_CANTPAGELOCK,
    DDERR_CANTPAGEUNLOCK, DDERR_NOTPAGELOCKED, DDERR_MOREDATA, DDERR_EXPIRED, DDERR_TESTFINISHED, DDERR_NEWMODE,
    DDERR_D3DNOTINITIALIZED, DDERR_VIDEONOTACTIVE, DDERR_NOMONITORINFORMATION, DDERR_NODRIVERSUPPORT,
    DDERR_DEVICEDOESNTOWNSURFACE, DDERR_NOTINITIALIZED,
};

const DWORD kAddedFlags[] = {
    DDSDM_STANDARDVGAMODE, DDSD_MIPMAPCOUNT, DDSD_LINEARSIZE, DDSD_TEXTURESTAGE, DDSD_ALL, DDSCAPS_ALPHA,
    DDSCAPS_OVERLAY, DDSCAPS_TEXTURE, DDSCAPS_3DDEVICE, DDSCAPS_VISIBLE, DDSCAPS_WRITEONLY, DDSCAPS_ZBUFFER,
    DDSCAPS_OWNDC, DDSCAPS_MIPMAP, DDSCAPS_ALLOCONLOAD, DDSCAPS_LOCALVIDMEM, DDSCAPS_NONLOCALVIDMEM,
    DDSCAPS_STANDARDVGAMODE, DDSCAPS2_HINTDYNAMIC, DDSCAPS2_HINTSTATIC, DDSCAPS2_TEXTUREMANAGE, DDSCAPS2_OPAQUE,
    DDBLT_KEYDEST, DDBLT_KEYDESTOVERRIDE, DDBLT_KEYSRCOVERRIDE, DDBLT_DONOTWAIT, DDBLTFAST_NOCOLORKEY,
    DDBLTFAST_SRCCOLORKEY, DDBLTFAST_DESTCOLORKEY, DDBLTFAST_WAIT, DDBLTFAST_DONOTWAIT, DDCKEY_COLORSPACE,
    DDCKEY_DESTBLT, DDCKEY_DESTOVERLAY, DDCKEY_SRCBLT, DDCKEY_SRCOVERLAY, DDGBS_CANBLT, DDGBS_ISBLTDONE,
    DDGFS_CANFLIP, DDGFS_ISFLIPDONE, DDLOCK_NOSYSLOCK, DDLOCK_DONOTWAIT, DDWAITVB_BLOCKEND, DRIVE_UNKNOWN,
    DDCAPS_BLT, DDCAPS_BLTSTRETCH, DDCAPS_BLTCOLORFILL, DDCAPS_COLORKEY, DDCAPS_PALETTE, DDCAPS_CANCLIP,
    DDCAPS_NOHARDWARE, DDCAPS2_CANRENDERWINDOWED, DDCAPS2_WIDESURFACES, DDCKEYCAPS_SRCBLT, DDCKEYCAPS_DESTBLT,
    DDFXCAPS_BLTSTRETCHX, DDFXCAPS_BLTSHRINKY, DD_ROP_SPACE,
    DRIVE_NO_ROOT_DIR, DRIVE_REMOVABLE, DRIVE_FIXED, DRIVE_REMOTE, DRIVE_CDROM, DRIVE_RAMDISK,
    FILE_CASE_SENSITIVE_SEARCH, FILE_CASE_PRESERVED_NAMES, FILE_UNICODE_ON_DISK, FILE_PERSISTENT_ACLS,
    FILE_READ_ONLY_VOLUME, ERROR_NOT_READY, ERROR_DIR_NOT_ROOT,
};

const IID* const kAddedIds[] = {
    &IID_IDirectDraw,         &IID_IDirectDraw2,        &IID_IDirectDraw4,        &IID_IDirectDraw7,
    &IID_IDirectDrawSurface,  &IID_IDirectDrawSurface2, &IID_IDirectDrawSurface3, &IID_IDirectDrawSurface4,
    &IID_IDirectDrawSurface7, &IID_IDirectDrawPalette,  &IID_IDirectDrawClipper,
};

HRESULT WINAPI onMode(LPDDSURFACEDESC2, LPVOID) { return DDENUMRET_CANCEL; }
HRESULT WINAPI onOldMode(LPDDSURFACEDESC, LPVOID) { return DDENUMRET_CANCEL; }
HRESULT WINAPI onSurface(LPDIRECTDRAWSURFACE surface, LPDDSURFACEDESC, LPVOID)
{
    surface->Release();
    return DDENUMRET_OK;
}
HRESULT WINAPI onSurface4(LPDIRECTDRAWSURFACE4 surface, LPDDSURFACEDESC2, LPVOID)
{
    surface->Release();
    return DDENUMRET_OK;
}
HRESULT WINAPI onSurface7(LPDIRECTDRAWSURFACE7 surface, LPDDSURFACEDESC2, LPVOID)
{
    surface->Release();
    return DDENUMRET_OK;
}

template <class Desc>
Desc described()
{
    Desc d;
    std::memset(&d, 0, sizeof d);
    d.dwSize = sizeof d;
    return d;
}

// The calls every surface version has, each with its own types.
template <class Surface, class Desc, class Caps, class Callback>
void callSurface(Surface* s, Surface* other, Callback onAttached)
{
    RECT area = {0, 0, 4, 4};
    DDBLTFX fx = described<DDBLTFX>();
    EXPECT_EQ(s->Blt(&area, other, &area, DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(s->BltFast(0, 0, other, &area, DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    DDCOLORKEY key = {0, 0};
    EXPECT_EQ(s->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(s->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(s->AddAttachedSurface(other), DDERR_CANNOTATTACHSURFACE); // sizes differ
    EXPECT_TRUE(FAILED(s->DeleteAttachedSurface(0, other))); // never attached
    EXPECT_EQ(s->EnumAttachedSurfaces(nullptr, onAttached), DD_OK);
    Caps caps;
    std::memset(&caps, 0, sizeof caps);
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    Surface* attached = nullptr;
    EXPECT_EQ(s->GetAttachedSurface(&caps, &attached), DDERR_NOTFOUND);
    EXPECT_EQ(s->GetCaps(&caps), DD_OK);
    EXPECT_TRUE(FAILED(s->Flip(nullptr, DDFLIP_WAIT))); // not a chain
    EXPECT_EQ(s->GetBltStatus(DDGBS_CANBLT), DD_OK);
    s->GetFlipStatus(DDGFS_CANFLIP);
    Desc desc = described<Desc>();
    EXPECT_EQ(s->GetSurfaceDesc(&desc), DD_OK);
    desc = described<Desc>();
    EXPECT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(s->Unlock(nullptr), DD_OK);
    DDPIXELFORMAT format = described<DDPIXELFORMAT>();
    EXPECT_EQ(s->GetPixelFormat(&format), DD_OK);
    EXPECT_EQ(s->IsLost(), DD_OK);
    EXPECT_EQ(s->Restore(), DD_OK);
    LPDIRECTDRAWCLIPPER clipper = nullptr;
    EXPECT_EQ(s->GetClipper(&clipper), DDERR_NOCLIPPERATTACHED);
    EXPECT_EQ(s->SetClipper(nullptr), DD_OK);
    LPDIRECTDRAWPALETTE palette = nullptr;
    EXPECT_EQ(s->GetPalette(&palette), DDERR_NOPALETTEATTACHED);
    HDC dc = nullptr;
    if (s->GetDC(&dc) == DD_OK)
        s->ReleaseDC(dc);
}

template <class Surface>
void callSurfaceTwoOn(Surface* s)
{
    LPVOID directDraw = nullptr;
    EXPECT_EQ(s->GetDDInterface(&directDraw), DD_OK);
    static_cast<IUnknown*>(directDraw)->Release();
    EXPECT_EQ(s->PageLock(0), DD_OK);
    EXPECT_EQ(s->PageUnlock(0), DD_OK);
}

template <class Surface>
void callSurfaceFourOn(Surface* s)
{
    DWORD value = 0;
    EXPECT_EQ(s->GetUniquenessValue(&value), DD_OK);
    EXPECT_EQ(s->ChangeUniquenessValue(), DD_OK);
}

// The calls every later display object interface has.
template <class DirectDraw, class Surface, class Desc, class Caps, class ModesCallback>
Surface* callDirectDraw(DirectDraw* dd, ModesCallback onModes, DWORD size)
{
    EXPECT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    Desc mode = described<Desc>();
    EXPECT_EQ(dd->GetDisplayMode(&mode), DD_OK);
    EXPECT_EQ(dd->EnumDisplayModes(0, nullptr, nullptr, onModes), DD_OK);
    EXPECT_TRUE(FAILED(dd->SetDisplayMode(1, 1, 7, 0, 0))); // no such mode
    Caps caps;
    std::memset(&caps, 0, sizeof caps);
    caps.dwCaps = DDSCAPS_VIDEOMEMORY;
    DWORD total = 0, available = 0;
    EXPECT_EQ(dd->GetAvailableVidMem(&caps, &total, &available), DD_OK);
    LPDIRECTDRAWCLIPPER clipper = nullptr;
    EXPECT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    clipper->Release();
    dd->RestoreDisplayMode();
    EXPECT_EQ(dd->Compact(), DD_OK);
    dd->FlipToGDISurface();
    DDCAPS driver = described<DDCAPS>();
    EXPECT_EQ(dd->GetCaps(&driver, NULL), DD_OK);
    DWORD frequency = 0;
    dd->GetMonitorFrequency(&frequency);
    BOOL inBlank = FALSE;
    dd->GetVerticalBlankStatus(&inBlank);
    Surface* gdi = nullptr;
    EXPECT_EQ(dd->GetGDISurface(&gdi), DDERR_NOTFOUND);
    Desc desc = described<Desc>();
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = desc.dwHeight = size;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    Surface* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
    return s;
}

} // namespace

TEST(AddedNames, DirectDrawGroup)
{
    for (HRESULT error : kEveryDirectDrawError)
        EXPECT_TRUE(FAILED(error));
    EXPECT_EQ(kAddedFlags[0], DWORD(DDSDM_STANDARDVGAMODE));
    for (const IID* id : kAddedIds)
        EXPECT_NE(id->Data1, 0u);

    LPDIRECTDRAW7 dd7 = nullptr;
    ASSERT_EQ(DirectDrawCreateEx(NULL, reinterpret_cast<LPVOID*>(&dd7), IID_IDirectDraw7, NULL), DD_OK);
    LPDIRECTDRAW dd = nullptr;
    LPDIRECTDRAW2 dd2 = nullptr;
    LPDIRECTDRAW4 dd4 = nullptr;
    ASSERT_EQ(dd7->QueryInterface(IID_IDirectDraw, reinterpret_cast<LPVOID*>(&dd)), DD_OK);
    ASSERT_EQ(dd7->QueryInterface(IID_IDirectDraw2, reinterpret_cast<LPVOID*>(&dd2)), DD_OK);
    ASSERT_EQ(dd7->QueryInterface(IID_IDirectDraw4, reinterpret_cast<LPVOID*>(&dd4)), DD_OK);
    EXPECT_EQ(dd->EnumDisplayModes(0, nullptr, nullptr, onOldMode), DD_OK);
    LPDIRECTDRAWCLIPPER clipper = nullptr;
    ASSERT_EQ(DirectDrawCreateClipper(0, &clipper, NULL), DD_OK);
    clipper->Release();

    auto* big2 = callDirectDraw<IDirectDraw2, IDirectDrawSurface, DDSURFACEDESC, DDSCAPS>(dd2, onOldMode, 8);
    auto* small2 = callDirectDraw<IDirectDraw2, IDirectDrawSurface, DDSURFACEDESC, DDSCAPS>(dd2, onOldMode, 4);
    auto* big4 = callDirectDraw<IDirectDraw4, IDirectDrawSurface4, DDSURFACEDESC2, DDSCAPS2>(dd4, onMode, 8);
    auto* small4 = callDirectDraw<IDirectDraw4, IDirectDrawSurface4, DDSURFACEDESC2, DDSCAPS2>(dd4, onMode, 4);
    auto* big7 = callDirectDraw<IDirectDraw7, IDirectDrawSurface7, DDSURFACEDESC2, DDSCAPS2>(dd7, onMode, 8);
    auto* small7 = callDirectDraw<IDirectDraw7, IDirectDrawSurface7, DDSURFACEDESC2, DDSCAPS2>(dd7, onMode, 4);
    ASSERT_TRUE(big2 && small2 && big4 && small4 && big7 && small7);
    EXPECT_EQ(dd4->TestCooperativeLevel(), DD_OK);
    EXPECT_EQ(dd4->RestoreAllSurfaces(), DD_OK);
    EXPECT_EQ(dd7->TestCooperativeLevel(), DD_OK);
    EXPECT_EQ(dd7->RestoreAllSurfaces(), DD_OK);

    callSurface<IDirectDrawSurface, DDSURFACEDESC, DDSCAPS>(big2, small2, onSurface);
    LPDIRECTDRAWSURFACE2 big2b = nullptr, small2b = nullptr;
    LPDIRECTDRAWSURFACE3 big3 = nullptr, small3 = nullptr;
    ASSERT_EQ(big2->QueryInterface(IID_IDirectDrawSurface2, reinterpret_cast<LPVOID*>(&big2b)), DD_OK);
    ASSERT_EQ(small2->QueryInterface(IID_IDirectDrawSurface2, reinterpret_cast<LPVOID*>(&small2b)), DD_OK);
    ASSERT_EQ(big2->QueryInterface(IID_IDirectDrawSurface3, reinterpret_cast<LPVOID*>(&big3)), DD_OK);
    ASSERT_EQ(small2->QueryInterface(IID_IDirectDrawSurface3, reinterpret_cast<LPVOID*>(&small3)), DD_OK);
    callSurface<IDirectDrawSurface2, DDSURFACEDESC, DDSCAPS>(big2b, small2b, onSurface);
    callSurfaceTwoOn(big2b);
    callSurface<IDirectDrawSurface3, DDSURFACEDESC, DDSCAPS>(big3, small3, onSurface);
    callSurfaceTwoOn(big3);
    callSurface<IDirectDrawSurface4, DDSURFACEDESC2, DDSCAPS2>(big4, small4, onSurface4);
    callSurfaceTwoOn(big4);
    callSurfaceFourOn(big4);
    callSurface<IDirectDrawSurface7, DDSURFACEDESC2, DDSCAPS2>(big7, small7, onSurface7);
    callSurfaceTwoOn(big7);
    callSurfaceFourOn(big7);

    big3->Release();
    small3->Release();
    big2b->Release();
    small2b->Release();
    big2->Release();
    small2->Release();
    big4->Release();
    small4->Release();
    big7->Release();
    small7->Release();
    dd->Release();
    dd2->Release();
    dd4->Release();
    EXPECT_EQ(dd7->Release(), 0u);
}

TEST(AddedNames, DrivesGroup)
{
    const DWORD drives = GetLogicalDrives();
    EXPECT_TRUE(drives & (1u << 2)); // C:
    char list[128];
    const DWORD length = GetLogicalDriveStrings(sizeof list, list);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, sizeof list);
    EXPECT_EQ(GetDriveType("C:\\"), UINT(DRIVE_FIXED));
    EXPECT_EQ(GetDriveTypeA(NULL), UINT(DRIVE_FIXED));
    char label[MAX_PATH + 1];
    char fileSystem[MAX_PATH + 1];
    DWORD serial = 0, longest = 0, flags = 0;
    EXPECT_TRUE(GetVolumeInformation("C:\\", label, sizeof label, &serial, &longest, &flags, fileSystem,
                                     sizeof fileSystem));
    EXPECT_TRUE(GetVolumeInformationA(NULL, NULL, 0, NULL, NULL, NULL, NULL, 0));
    EXPECT_EQ(GetLogicalDriveStringsA(0, NULL), length + 1);
}
