// DirectDraw as later games use it: the version 2, 4 and 7 interfaces of one
// display object or surface, BltFast, colour keys and attached surfaces,
// called as a game calls them and checked against Windows' answers.
#include <ddraw.h>
#include <windows.h>

#include "support/wine.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

ULONG referencesOf(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

template <class Desc>
Desc blank()
{
    Desc d;
    std::memset(&d, 0, sizeof d);
    d.dwSize = sizeof d;
    return d;
}

// An xRGB surface of `caps`, so pixel values read the same everywhere.
DDSURFACEDESC2 xrgbDesc(DWORD width, DWORD height, DWORD caps)
{
    DDSURFACEDESC2 d = blank<DDSURFACEDESC2>();
    d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    d.dwWidth = width;
    d.dwHeight = height;
    d.ddsCaps.dwCaps = caps;
    d.ddpfPixelFormat.dwSize = sizeof d.ddpfPixelFormat;
    d.ddpfPixelFormat.dwFlags = DDPF_RGB;
    d.ddpfPixelFormat.dwRGBBitCount = 32;
    d.ddpfPixelFormat.dwRBitMask = 0xFF0000;
    d.ddpfPixelFormat.dwGBitMask = 0x00FF00;
    d.ddpfPixelFormat.dwBBitMask = 0x0000FF;
    return d;
}

class LaterDirectDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&dd), IID_IDirectDraw7, nullptr), DD_OK);
        ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    }
    void TearDown() override
    {
        if (dd) {
            EXPECT_EQ(dd->Release(), 0u);
        }
    }

    IDirectDrawSurface7* surface(DWORD width, DWORD height,
                                 DWORD caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY)
    {
        DDSURFACEDESC2 d = xrgbDesc(width, height, caps);
        IDirectDrawSurface7* s = nullptr;
        EXPECT_EQ(dd->CreateSurface(&d, &s, nullptr), DD_OK);
        return s;
    }
    static void fill(IDirectDrawSurface7* s, DWORD color, RECT* area = nullptr)
    {
        DDBLTFX fx = blank<DDBLTFX>();
        fx.dwFillColor = color;
        ASSERT_EQ(s->Blt(area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    }
    static DWORD pixel(IDirectDrawSurface7* s, LONG x, LONG y)
    {
        DDSURFACEDESC2 d = blank<DDSURFACEDESC2>();
        EXPECT_EQ(s->Lock(nullptr, &d, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
        const DWORD value =
            reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(d.lpSurface) + y * d.lPitch)[x] & 0xFFFFFF;
        EXPECT_EQ(s->Unlock(nullptr), DD_OK);
        return value;
    }

    IDirectDraw7* dd = nullptr;
};

TEST(LaterDirectDrawIds, InterfaceIdsAreWindowsOwn)
{
    // A game that defines the ids itself (INITGUID) asks with these bytes.
    const struct {
        const IID& iid;
        GUID expected;
    } ids[] = {
        {IID_IDirectDraw, {0x6C14DB80, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}}},
        {IID_IDirectDraw2, {0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}}},
        {IID_IDirectDraw4, {0x9C59509A, 0x39BD, 0x11D1, {0x8C, 0x4A, 0x00, 0xC0, 0x4F, 0xD9, 0x30, 0xC5}}},
        {IID_IDirectDraw7, {0x15E65EC0, 0x3B9C, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}}},
        {IID_IDirectDrawSurface, {0x6C14DB81, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}}},
        {IID_IDirectDrawSurface2, {0x57805885, 0x6EEC, 0x11CF, {0x94, 0x41, 0xA8, 0x23, 0x03, 0xC1, 0x0E, 0x27}}},
        {IID_IDirectDrawSurface3, {0xDA044E00, 0x69B2, 0x11D0, {0xA1, 0xD5, 0x00, 0xAA, 0x00, 0xB8, 0xDF, 0xBB}}},
        {IID_IDirectDrawSurface4, {0x0B2B8630, 0xAD35, 0x11D0, {0x8E, 0xA6, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}}},
        {IID_IDirectDrawSurface7, {0x06675A80, 0x3B9B, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}}},
        {IID_IDirectDrawPalette, {0x6C14DB84, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}}},
        {IID_IDirectDrawClipper, {0x6C14DB85, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}}},
    };
    for (const auto& id : ids)
        EXPECT_EQ(std::memcmp(&id.iid, &id.expected, sizeof(GUID)), 0) << std::hex << id.expected.Data1;
    // And a few codes of the error list, whose values games switch on.
    EXPECT_EQ(DDERR_NOCOLORKEY, HRESULT(0x887600D7));
    EXPECT_EQ(DDERR_NOCLIPPERATTACHED, HRESULT(0x88760238));
    EXPECT_EQ(DDERR_BLTFASTCANTCLIP, HRESULT(0x8876023E));
    EXPECT_EQ(DDERR_NOTPAGELOCKED, HRESULT(0x887602A8));
}

TEST_F(LaterDirectDraw, EachInterfaceCountsItsOwnReferences)
{
    IDirectDraw* one = nullptr;
    IDirectDraw2* two = nullptr;
    IDirectDraw4* four = nullptr;
    ASSERT_EQ(dd->QueryInterface(IID_IDirectDraw, reinterpret_cast<void**>(&one)), DD_OK);
    ASSERT_EQ(dd->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&two)), DD_OK);
    ASSERT_EQ(dd->QueryInterface(IID_IDirectDraw4, reinterpret_cast<void**>(&four)), DD_OK);
    EXPECT_EQ(referencesOf(dd), 1u);
    EXPECT_EQ(referencesOf(one), 1u);
    EXPECT_EQ(referencesOf(two), 1u);
    EXPECT_EQ(referencesOf(four), 1u);
    // The object outlives any one interface: version 2 still works after
    // the others went down to zero.
    EXPECT_EQ(one->Release(), 0u);
    EXPECT_EQ(four->Release(), 0u);
    DDSURFACEDESC mode = blank<DDSURFACEDESC>();
    EXPECT_EQ(two->GetDisplayMode(&mode), DD_OK);
    EXPECT_GT(mode.dwWidth, 0u);
    EXPECT_EQ(two->Release(), 0u);

    void* unknown = nullptr;
    EXPECT_EQ(dd->QueryInterface(IID_IDirectDrawSurface, &unknown), E_NOINTERFACE);
    EXPECT_EQ(unknown, nullptr);
    void* other = nullptr;
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &other, IID_IDirectDraw, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(LaterDirectDraw, SurfacesOfVersionSevenKeepTheirDisplayObject)
{
    IDirectDrawSurface7* s = surface(16, 16);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(referencesOf(dd), 2u);
    void* maker = nullptr;
    ASSERT_EQ(s->GetDDInterface(&maker), DD_OK);
    EXPECT_EQ(maker, static_cast<void*>(dd));
    static_cast<IUnknown*>(maker)->Release();

    // The first interface of the same surface, counted apart.
    IDirectDrawSurface* first = nullptr;
    ASSERT_EQ(s->QueryInterface(IID_IDirectDrawSurface, reinterpret_cast<void**>(&first)), DD_OK);
    EXPECT_EQ(referencesOf(first), 1u);
    EXPECT_EQ(s->Release(), 0u);
    DDSURFACEDESC d = blank<DDSURFACEDESC>();
    ASSERT_EQ(first->GetSurfaceDesc(&d), DD_OK);
    EXPECT_EQ(d.dwWidth, 16u);
    EXPECT_EQ(first->Release(), 0u);
    EXPECT_EQ(referencesOf(dd), 1u);
}

TEST_F(LaterDirectDraw, DescriptionsAreCheckedBySizeForEachVersion)
{
    DDSURFACEDESC2 wide = xrgbDesc(8, 8, DDSCAPS_OFFSCREENPLAIN);
    wide.dwSize = sizeof(DDSURFACEDESC);
    IDirectDrawSurface7* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(&wide, &s, nullptr), DDERR_INVALIDPARAMS);

    IDirectDraw* one = nullptr;
    ASSERT_EQ(dd->QueryInterface(IID_IDirectDraw, reinterpret_cast<void**>(&one)), DD_OK);
    DDSURFACEDESC narrow = blank<DDSURFACEDESC>();
    narrow.dwSize = sizeof(DDSURFACEDESC2);
    narrow.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    narrow.dwWidth = narrow.dwHeight = 8;
    narrow.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    IDirectDrawSurface* s1 = nullptr;
    EXPECT_EQ(one->CreateSurface(&narrow, &s1, nullptr), DDERR_INVALIDPARAMS);
    one->Release();

    s = surface(8, 4);
    ASSERT_NE(s, nullptr);
    DDSURFACEDESC2 d = blank<DDSURFACEDESC2>();
    ASSERT_EQ(s->GetSurfaceDesc(&d), DD_OK);
    EXPECT_EQ(d.dwWidth, 8u);
    EXPECT_EQ(d.dwHeight, 4u);
    EXPECT_TRUE(d.ddsCaps.dwCaps & DDSCAPS_OFFSCREENPLAIN);
    DDSCAPS2 caps;
    std::memset(&caps, 0xCC, sizeof caps);
    ASSERT_EQ(s->GetCaps(&caps), DD_OK);
    EXPECT_EQ(caps.dwCaps, d.ddsCaps.dwCaps);
    d = blank<DDSURFACEDESC2>();
    d.dwSize = sizeof(DDSURFACEDESC);
    EXPECT_EQ(s->GetSurfaceDesc(&d), DDERR_INVALIDPARAMS);
    // Lock takes either size, whatever the version, and fills that much.
    std::memset(&d, 0xAB, sizeof d);
    d.dwSize = sizeof(DDSURFACEDESC);
    ASSERT_EQ(s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(d.dwSize, sizeof(DDSURFACEDESC));
    EXPECT_EQ(d.dwWidth, 8u);
    EXPECT_NE(d.lpSurface, nullptr);
    EXPECT_EQ(d.dwTextureStage, 0xABABABABu); // past the smaller description
    ASSERT_EQ(s->Unlock(nullptr), DD_OK);
    d = blank<DDSURFACEDESC2>();
    d.dwSize = 0;
    EXPECT_EQ(s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
    s->Release();
}

TEST_F(LaterDirectDraw, BltFastRefusesRectanglesOffEitherSurface)
{
    IDirectDrawSurface7* big = surface(128, 128);
    IDirectDrawSurface7* small = surface(64, 64);
    ASSERT_TRUE(big && small);
    RECT valid = {10, 10, 20, 20};
    RECT inverted = {20, 10, 10, 20};
    RECT empty = {20, 20, 20, 20};
    RECT negative = {-1, -1, 20, 20};
    RECT outside = {60, 60, 70, 70};
    EXPECT_EQ(big->BltFast(0, 0, small, nullptr, 0), DD_OK);
    EXPECT_EQ(small->BltFast(0, 0, big, nullptr, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(small->BltFast(0, 0, big, &valid, 0), DD_OK);
    EXPECT_EQ(small->BltFast(54, 54, big, &valid, 0), DD_OK);
    EXPECT_EQ(small->BltFast(60, 60, big, &valid, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(big->BltFast(90, 90, small, nullptr, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(big->BltFast(static_cast<DWORD>(-10), 0, small, nullptr, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(small->BltFast(0, 0, big, &inverted, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(small->BltFast(0, 0, big, &empty, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(small->BltFast(0, 0, big, &negative, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(big->BltFast(0, 0, small, &outside, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(big->BltFast(0, 0, big, nullptr, 0), DD_OK);

    // It does not clip, so a surface with a clipper is refused outright,
    // whoever made the clipper.
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(DirectDrawCreateClipper(0, &clipper, nullptr), DD_OK);
    IDirectDrawClipper* same = nullptr;
    ASSERT_EQ(clipper->QueryInterface(IID_IDirectDrawClipper, reinterpret_cast<void**>(&same)), DD_OK);
    EXPECT_EQ(same, clipper);
    EXPECT_EQ(same->Release(), 1u);
    ASSERT_EQ(big->SetClipper(clipper), DD_OK);
    EXPECT_EQ(big->BltFast(0, 0, small, nullptr, DDBLTFAST_WAIT), DDERR_BLTFASTCANTCLIP);
    ASSERT_EQ(big->SetClipper(nullptr), DD_OK);
    clipper->Release();
    small->Release();
    big->Release();
}

TEST_F(LaterDirectDraw, BltFastCopiesAndKeysPixels)
{
    IDirectDrawSurface7* sprite = surface(4, 4);
    IDirectDrawSurface7* screen = surface(8, 8);
    ASSERT_TRUE(sprite && screen);
    fill(sprite, 0x00FF00);
    RECT hole = {1, 1, 3, 3};
    fill(sprite, 0xFF00FF, &hole);
    fill(screen, 0x000080);

    DDCOLORKEY key = {0xFF00FF, 0xFF00FF};
    ASSERT_EQ(sprite->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    ASSERT_EQ(screen->BltFast(2, 2, sprite, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(pixel(screen, 2, 2), 0x00FF00u); // the sprite's edge
    EXPECT_EQ(pixel(screen, 3, 3), 0x000080u); // its key colour left the screen alone
    EXPECT_EQ(pixel(screen, 6, 6), 0x000080u); // past the sprite

    ASSERT_EQ(screen->BltFast(2, 2, sprite, nullptr, DDBLTFAST_NOCOLORKEY), DD_OK);
    EXPECT_EQ(pixel(screen, 3, 3), 0xFF00FFu);

    // A destination key: only pixels of the key colour take the copy.
    if (runningUnderWine()) {
        screen->Release();
        sprite->Release();
        GTEST_SKIP() << "Wine's BltFast leaves destination-keyed pixels alone; Windows' software blitter copies";
    }
    fill(screen, 0x000080);
    RECT corner = {0, 0, 1, 1};
    fill(screen, 0x123456, &corner);
    DDCOLORKEY backdrop = {0x000080, 0x000080};
    ASSERT_EQ(screen->SetColorKey(DDCKEY_DESTBLT, &backdrop), DD_OK);
    ASSERT_EQ(screen->BltFast(0, 0, sprite, nullptr, DDBLTFAST_DESTCOLORKEY), DD_OK);
    EXPECT_EQ(pixel(screen, 0, 0), 0x123456u);
    EXPECT_EQ(pixel(screen, 1, 0), 0x00FF00u);
    screen->Release();
    sprite->Release();
}

TEST_F(LaterDirectDraw, ColorKeysAreKeptPerKindAndChecked)
{
    IDirectDrawSurface7* s = surface(4, 4);
    ASSERT_NE(s, nullptr);
    DDCOLORKEY key = {0xdeadbeef, 0xdeadbeef};
    EXPECT_EQ(s->GetColorKey(DDCKEY_SRCBLT, &key), DDERR_NOCOLORKEY);
    EXPECT_EQ(key.dwColorSpaceLowValue, 0xdeadbeefu); // left alone
    EXPECT_EQ(s->GetColorKey(DDCKEY_SRCBLT, nullptr), DDERR_INVALIDPARAMS);

    // Without DDCKEY_COLORSPACE the high value is the low one.
    DDCOLORKEY set = {0x00FF00, 0x0000FF};
    ASSERT_EQ(s->SetColorKey(DDCKEY_SRCBLT, &set), DD_OK);
    DDCOLORKEY got = {};
    ASSERT_EQ(s->GetColorKey(DDCKEY_SRCBLT, &got), DD_OK);
    EXPECT_EQ(got.dwColorSpaceLowValue, 0x00FF00u);
    EXPECT_EQ(got.dwColorSpaceHighValue, 0x00FF00u);
    EXPECT_EQ(s->GetColorKey(DDCKEY_DESTBLT, &got), DDERR_NOCOLORKEY);
    DDSURFACEDESC2 d = blank<DDSURFACEDESC2>();
    ASSERT_EQ(s->GetSurfaceDesc(&d), DD_OK);
    EXPECT_TRUE(d.dwFlags & DDSD_CKSRCBLT);
    EXPECT_EQ(d.ddckCKSrcBlt.dwColorSpaceLowValue, 0x00FF00u);

    EXPECT_EQ(s->SetColorKey(DDCKEY_SRCBLT | DDCKEY_DESTBLT, &set), DDERR_INVALIDPARAMS);
    EXPECT_EQ(s->SetColorKey(0, &set), DDERR_INVALIDPARAMS);
    ASSERT_EQ(s->SetColorKey(DDCKEY_SRCBLT, nullptr), DD_OK); // removes it
    EXPECT_EQ(s->GetColorKey(DDCKEY_SRCBLT, &got), DDERR_NOCOLORKEY);
    s->Release();
}

TEST_F(LaterDirectDraw, OnlyAPalettizedSurfaceTakesAPalette)
{
    PALETTEENTRY entries[256] = {};
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
    IDirectDrawSurface7* s = surface(4, 4);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->SetPalette(palette), DDERR_INVALIDPIXELFORMAT);
    IDirectDrawPalette* attached = nullptr;
    EXPECT_EQ(s->GetPalette(&attached), DDERR_NOPALETTEATTACHED);
    s->Release();
    palette->Release();
}

TEST_F(LaterDirectDraw, KeyedBltNeedsTheKeyItNames)
{
    IDirectDrawSurface7* from = surface(2, 1);
    IDirectDrawSurface7* to = surface(2, 1);
    ASSERT_TRUE(from && to);
    RECT left = {0, 0, 1, 1};
    fill(from, 0x0000FF);
    fill(from, 0x00FF00, &left);
    fill(to, 0x111111);
    EXPECT_EQ(to->Blt(nullptr, from, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DDERR_INVALIDPARAMS);

    DDBLTFX fx = blank<DDBLTFX>();
    fx.ddckSrcColorkey.dwColorSpaceLowValue = fx.ddckSrcColorkey.dwColorSpaceHighValue = 0x00FF00;
    ASSERT_EQ(to->Blt(nullptr, from, nullptr, DDBLT_KEYSRCOVERRIDE | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(pixel(to, 0, 0), 0x111111u);
    EXPECT_EQ(pixel(to, 1, 0), 0x0000FFu);

    DDCOLORKEY key = {0x0000FF, 0x0000FF};
    ASSERT_EQ(from->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    fill(to, 0x111111);
    ASSERT_EQ(to->Blt(nullptr, from, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(pixel(to, 0, 0), 0x00FF00u);
    EXPECT_EQ(pixel(to, 1, 0), 0x111111u);
    to->Release();
    from->Release();
}

struct AttachedWalk {
    int seen = 0;
    IDirectDrawSurface* last = nullptr;
    DWORD width = 0;
};

// A callback of Windows' calling convention (a lambda has the C one).
HRESULT WINAPI visitAttached(IDirectDrawSurface* surface, DDSURFACEDESC* desc, void* context)
{
    auto* walk = static_cast<AttachedWalk*>(context);
    ++walk->seen;
    walk->last = surface;
    walk->width = desc->dwWidth;
    surface->Release();
    return DDENUMRET_OK;
}

TEST_F(LaterDirectDraw, FirstInterfacesAttachSurfacesOfOneSize)
{
    IDirectDraw* one = nullptr;
    ASSERT_EQ(dd->QueryInterface(IID_IDirectDraw, reinterpret_cast<void**>(&one)), DD_OK);
    auto make = [&](DWORD size) {
        DDSURFACEDESC d = blank<DDSURFACEDESC>();
        d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        d.dwWidth = d.dwHeight = size;
        d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        IDirectDrawSurface* s = nullptr;
        EXPECT_EQ(one->CreateSurface(&d, &s, nullptr), DD_OK);
        return s;
    };
    IDirectDrawSurface* a = make(32);
    IDirectDrawSurface* b = make(32);
    IDirectDrawSurface* other = make(16);
    ASSERT_TRUE(a && b && other);

    EXPECT_EQ(a->AddAttachedSurface(other), DDERR_CANNOTATTACHSURFACE);
    EXPECT_EQ(a->AddAttachedSurface(a), DDERR_CANNOTATTACHSURFACE);
    ASSERT_EQ(a->AddAttachedSurface(b), DD_OK);
    EXPECT_EQ(referencesOf(b), 2u); // a holds it
    EXPECT_EQ(b->AddAttachedSurface(a), DDERR_SURFACEALREADYATTACHED);

    DDSCAPS caps = {DDSCAPS_OFFSCREENPLAIN};
    IDirectDrawSurface* found = nullptr;
    ASSERT_EQ(a->GetAttachedSurface(&caps, &found), DD_OK);
    EXPECT_EQ(found, b);
    found->Release();
    AttachedWalk walk;
    ASSERT_EQ(a->EnumAttachedSurfaces(&walk, visitAttached), DD_OK);
    EXPECT_EQ(walk.seen, 1);
    EXPECT_EQ(walk.last, b);
    EXPECT_EQ(walk.width, 32u);

    EXPECT_EQ(b->DeleteAttachedSurface(0, a), DDERR_CANNOTDETACHSURFACE);
    ASSERT_EQ(a->DeleteAttachedSurface(0, b), DD_OK);
    EXPECT_EQ(referencesOf(b), 1u);
    EXPECT_EQ(a->GetAttachedSurface(&caps, &found), DDERR_NOTFOUND);

    // From version 4 on only z-buffers attach.
    IDirectDrawSurface7* a7 = nullptr;
    IDirectDrawSurface7* b7 = nullptr;
    ASSERT_EQ(a->QueryInterface(IID_IDirectDrawSurface7, reinterpret_cast<void**>(&a7)), DD_OK);
    ASSERT_EQ(b->QueryInterface(IID_IDirectDrawSurface7, reinterpret_cast<void**>(&b7)), DD_OK);
    EXPECT_EQ(a7->AddAttachedSurface(b7), DDERR_CANNOTATTACHSURFACE);
    for (IUnknown* s : {static_cast<IUnknown*>(a7), static_cast<IUnknown*>(b7), static_cast<IUnknown*>(a),
                        static_cast<IUnknown*>(b), static_cast<IUnknown*>(other)})
        s->Release();
    one->Release();
}

TEST_F(LaterDirectDraw, SurfaceStatusLocksAndUniqueness)
{
    IDirectDrawSurface7* s = surface(4, 4);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetBltStatus(DDGBS_CANBLT), DD_OK);
    EXPECT_EQ(s->GetBltStatus(DDGBS_ISBLTDONE), DD_OK);
    EXPECT_EQ(s->GetFlipStatus(DDGFS_ISFLIPDONE), DD_OK);
    EXPECT_EQ(s->GetBltStatus(0), DDERR_INVALIDPARAMS);

    if (runningUnderWine()) {
        s->Release();
        GTEST_SKIP() << "Wine neither counts page locks nor keeps a uniqueness value";
    }
    EXPECT_EQ(s->PageLock(0), DD_OK);
    EXPECT_EQ(s->PageUnlock(0), DD_OK);
    EXPECT_EQ(s->PageUnlock(0), DDERR_NOTPAGELOCKED);

    DWORD before = 0, after = 0;
    ASSERT_EQ(s->GetUniquenessValue(&before), DD_OK);
    ASSERT_EQ(s->ChangeUniquenessValue(), DD_OK);
    ASSERT_EQ(s->GetUniquenessValue(&after), DD_OK);
    EXPECT_NE(before, after);
    s->Release();
}

TEST_F(LaterDirectDraw, DisplayMemoryAndCooperation)
{
    DDSCAPS2 caps = {};
    caps.dwCaps = DDSCAPS_VIDEOMEMORY;
    DWORD total = 0, available = 0;
    ASSERT_EQ(dd->GetAvailableVidMem(&caps, &total, &available), DD_OK);
    EXPECT_GT(total, 0u);
    EXPECT_LE(available, total);
    EXPECT_EQ(dd->GetAvailableVidMem(&caps, nullptr, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(dd->TestCooperativeLevel(), DD_OK);
    EXPECT_EQ(dd->RestoreAllSurfaces(), DD_OK);

    // GetCaps answers the form the game was built with, by its size.
    DDCAPS_DX7 driver = blank<DDCAPS_DX7>();
    DDCAPS_DX3 emulation;
    std::memset(&emulation, 0xAB, sizeof emulation);
    emulation.dwSize = sizeof emulation;
    ASSERT_EQ(dd->GetCaps(&driver, reinterpret_cast<LPDDCAPS>(&emulation)), DD_OK);
    EXPECT_EQ(driver.dwSize, sizeof driver);
    EXPECT_EQ(emulation.dwSize, sizeof emulation);
    EXPECT_TRUE(driver.dwCaps & DDCAPS_BLT);
    EXPECT_TRUE(emulation.dwCaps & DDCAPS_BLT);
    EXPECT_TRUE(emulation.dwCKeyCaps & DDCKEYCAPS_SRCBLT);
    EXPECT_EQ(dd->GetCaps(nullptr, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(LaterDirectDraw, TheGdiSurfaceIsThePrimary)
{
    IDirectDrawSurface7* gdi = reinterpret_cast<IDirectDrawSurface7*>(1);
    EXPECT_EQ(dd->GetGDISurface(&gdi), DDERR_NOTFOUND);
    EXPECT_EQ(gdi, nullptr);
    DDSURFACEDESC2 d = blank<DDSURFACEDESC2>();
    d.dwFlags = DDSD_CAPS;
    d.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7* primary = nullptr;
    ASSERT_EQ(dd->CreateSurface(&d, &primary, nullptr), DD_OK);
    ASSERT_EQ(dd->GetGDISurface(&gdi), DD_OK);
    EXPECT_EQ(gdi, primary);
    EXPECT_EQ(gdi->Release(), 1u);
    EXPECT_EQ(primary->Release(), 0u);
}

// How a game that runs without DirectX 7 looks for it.
TEST(LaterDirectDrawByName, CreateExIsFoundInDdrawDll)
{
    typedef HRESULT(WINAPI * CreateEx)(GUID*, LPVOID*, REFIID, IUnknown*);
    const HMODULE ddraw = LoadLibraryA("ddraw.dll");
    ASSERT_NE(ddraw, nullptr);
    const CreateEx create =
        reinterpret_cast<CreateEx>(reinterpret_cast<void (*)()>(GetProcAddress(ddraw, "DirectDrawCreateEx")));
    ASSERT_NE(create, nullptr);
    LPDIRECTDRAW7 dd = nullptr;
    ASSERT_EQ(create(nullptr, reinterpret_cast<LPVOID*>(&dd), IID_IDirectDraw7, nullptr), DD_OK);
    EXPECT_EQ(dd->Release(), 0u);
    FreeLibrary(ddraw);
}

// A game's full-screen chain made by hand: a back buffer of the screen's
// size attached to the primary, flipped through the primary only.
TEST(LaterDirectDrawFullScreen, BackBufferAttachedToThePrimaryFlips)
{
    if (runningUnderWine())
        GTEST_SKIP() << "Wine refuses to attach a back buffer to the primary; Windows accepts it and flips";
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VantrelLaterDirectDraw";
    RegisterClassExA(&wc);
    const HWND window = CreateWindowExA(0, wc.lpszClassName, "chain", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                        wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    IDirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    IDirectDraw2* dd2 = nullptr;
    ASSERT_EQ(dd->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&dd2)), DD_OK);
    ASSERT_EQ(dd2->SetDisplayMode(640, 480, 16, 0, 0), DD_OK);

    DDSURFACEDESC d = blank<DDSURFACEDESC>();
    d.dwFlags = DDSD_CAPS;
    d.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface* primary = nullptr;
    ASSERT_EQ(dd2->CreateSurface(&d, &primary, nullptr), DD_OK);
    d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    d.dwWidth = 640;
    d.dwHeight = 480;
    d.ddsCaps.dwCaps = DDSCAPS_BACKBUFFER;
    IDirectDrawSurface* back = nullptr;
    ASSERT_EQ(dd2->CreateSurface(&d, &back, nullptr), DD_OK);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
    ASSERT_EQ(primary->AddAttachedSurface(back), DD_OK);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(back->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
    ASSERT_EQ(primary->DeleteAttachedSurface(0, back), DD_OK);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);

    back->Release();
    primary->Release();
    dd2->Release();
    EXPECT_EQ(dd->RestoreDisplayMode(), DD_OK);
    dd->Release();
    DestroyWindow(window);
}

} // namespace
