// GDI on DirectDraw surfaces: a surface's context draws through the
// surface's palette, block transfers move pixels between surfaces and
// memory bitmaps, and in an 8-bit mode the system palette is the primary's.
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/gdi_bitmaps.h>
#include <vantrel/win32/gdi_brushes.h>
#include <vantrel/win32/gdi_palettes.h>
#include <vantrel/win32/window.h>

#include "support/display_fixture.h"

#include <cstring>
#include <vector>

namespace {

class SurfaceGdi : public DisplayTest {
protected:
    void TearDown() override
    {
        for (IUnknown* o : owned_)
            o->Release();
        DisplayTest::TearDown();
    }
    template <class T>
    T* keep(T* object)
    {
        owned_.insert(owned_.begin(), object);
        return object;
    }

    IDirectDraw* fullscreen(DWORD bits)
    {
        IDirectDraw* dd = nullptr;
        EXPECT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
        EXPECT_EQ(dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
        EXPECT_EQ(dd->SetDisplayMode(640, 480, bits), DD_OK);
        return keep(dd);
    }
    IDirectDrawSurface* surface(IDirectDraw* dd, DWORD caps, DWORD width = 0, DWORD height = 0)
    {
        DDSURFACEDESC d;
        std::memset(&d, 0, sizeof d);
        d.dwSize = sizeof d;
        d.dwFlags = DDSD_CAPS | (width ? DDSD_WIDTH | DDSD_HEIGHT : 0);
        d.dwWidth = width;
        d.dwHeight = height;
        d.ddsCaps.dwCaps = caps;
        IDirectDrawSurface* s = nullptr;
        EXPECT_EQ(dd->CreateSurface(&d, &s, nullptr), DD_OK);
        return keep(s);
    }
    IDirectDrawPalette* palette(IDirectDraw* dd, const PALETTEENTRY* entries)
    {
        IDirectDrawPalette* p = nullptr;
        EXPECT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, const_cast<PALETTEENTRY*>(entries), &p, nullptr),
                  DD_OK);
        return keep(p);
    }
    BYTE firstByte(IDirectDrawSurface* s)
    {
        DDSURFACEDESC d;
        std::memset(&d, 0, sizeof d);
        d.dwSize = sizeof d;
        EXPECT_EQ(s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
        const BYTE b = *static_cast<BYTE*>(d.lpSurface);
        s->Unlock(d.lpSurface);
        return b;
    }

private:
    std::vector<IUnknown*> owned_;
};

// A palette of greys with pure red at entry 77.
void greysWithRed(PALETTEENTRY entries[256])
{
    for (int i = 0; i < 256; ++i)
        entries[i] = PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    entries[77] = PALETTEENTRY{255, 0, 0, 0};
}

} // namespace

TEST_F(SurfaceGdi, An8BitSurfaceDrawsThroughItsPalette)
{
    IDirectDraw* dd = fullscreen(8);
    PALETTEENTRY entries[256];
    greysWithRed(entries);
    IDirectDrawSurface* primary = surface(dd, DDSCAPS_PRIMARYSURFACE);
    IDirectDrawSurface* offscreen = surface(dd, DDSCAPS_OFFSCREENPLAIN, 16, 16);
    ASSERT_EQ(primary->SetPalette(palette(dd, entries)), DD_OK);

    // The offscreen surface has no palette of its own: the primary's counts.
    HDC dc = nullptr;
    ASSERT_EQ(offscreen->GetDC(&dc), DD_OK);
    HBRUSH red = CreateSolidBrush(RGB(250, 5, 0));
    RECT all = {0, 0, 16, 16};
    EXPECT_NE(FillRect(dc, &all, red), 0);
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(255, 0, 0));
    ASSERT_EQ(offscreen->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(firstByte(offscreen), 77);

    // From the surface into a 32-bit DIB: the palette's colours.
    struct {
        BITMAPINFOHEADER header;
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = 4;
    info.header.biHeight = -4;
    info.header.biPlanes = 1;
    info.header.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, dib);
    ASSERT_EQ(offscreen->GetDC(&dc), DD_OK);
    EXPECT_TRUE(BitBlt(memory, 0, 0, 4, 4, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(static_cast<DWORD*>(bits)[5], 0x00FF0000u);

    // And back, grey landing on its own entry.
    PatBlt(memory, 0, 0, 4, 4, WHITENESS);
    EXPECT_TRUE(BitBlt(dc, 0, 0, 4, 4, memory, 0, 0, SRCCOPY));
    ASSERT_EQ(offscreen->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(firstByte(offscreen), 255);

    SelectObject(memory, previous);
    DeleteObject(dib);
    DeleteDC(memory);
    DeleteObject(red);
}

TEST_F(SurfaceGdi, In8BitModesTheSystemPaletteIsThePrimarys)
{
    IDirectDraw* dd = fullscreen(8);
    PALETTEENTRY entries[256];
    greysWithRed(entries);
    IDirectDrawSurface* primary = surface(dd, DDSCAPS_PRIMARYSURFACE);
    IDirectDrawPalette* p = palette(dd, entries);
    ASSERT_EQ(primary->SetPalette(p), DD_OK);
    HDC screen = GetDC(nullptr);
    PALETTEENTRY got[256] = {};
    EXPECT_EQ(GetSystemPaletteEntries(screen, 0, 0, nullptr), 256u);
    EXPECT_EQ(GetSystemPaletteEntries(screen, 70, 300, got), 186u);
    EXPECT_EQ(got[7].peRed, 255);
    EXPECT_EQ(got[7].peGreen, 0);
    // A palette changed while shown is what the system palette reports.
    PALETTEENTRY blue = {0, 0, 255, 0};
    ASSERT_EQ(p->SetEntries(0, 5, 1, &blue), DD_OK);
    EXPECT_EQ(GetSystemPaletteEntries(screen, 5, 1, got), 1u);
    EXPECT_EQ(got[0].peBlue, 255);
    EXPECT_EQ(SetSystemPaletteUse(screen, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_STATIC));
    EXPECT_EQ(SetSystemPaletteUse(screen, SYSPAL_STATIC), static_cast<UINT>(SYSPAL_NOSTATIC));
    ReleaseDC(nullptr, screen);
}

TEST_F(SurfaceGdi, ATrueColourSurfaceTakesStretchedBlocksFromItsCompatibleBitmap)
{
    IDirectDraw* dd = fullscreen(32);
    IDirectDrawSurface* offscreen = surface(dd, DDSCAPS_OFFSCREENPLAIN, 8, 8);
    HDC dc = nullptr;
    ASSERT_EQ(offscreen->GetDC(&dc), DD_OK);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 8, 8);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SetPixel(memory, 2, 1, RGB(0, 255, 0));
    EXPECT_TRUE(StretchBlt(dc, 0, 0, 8, 8, memory, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 5, 3), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0, 0, 0));
    ASSERT_EQ(offscreen->ReleaseDC(dc), DD_OK);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(SurfaceGdi, OnAn8BitDesktopAWindowsPaletteIsRealizedIntoTheFreeEntries)
{
    useDesktop("pal8");
    HDC dc = GetDC(window);
    EXPECT_TRUE(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE);
    EXPECT_EQ(GetDeviceCaps(dc, SIZEPALETTE), 256);
    struct {
        LOGPALETTE head;
        PALETTEENTRY more[1];
    } lp = {{0x300, 2, {{1, 2, 3, 0}}}, {{4, 5, 6, 0}}};
    HPALETTE palette = CreatePalette(&lp.head);
    HPALETTE previous = SelectPalette(dc, palette, FALSE);
    EXPECT_EQ(RealizePalette(dc), 2u);
    PALETTEENTRY got[3] = {};
    ASSERT_EQ(GetSystemPaletteEntries(dc, 9, 3, got), 3u);
    EXPECT_EQ(got[0].peRed, 166) << "the tenth static colour stays";
    EXPECT_EQ(got[1].peRed, 1);
    EXPECT_EQ(got[2].peBlue, 6);

    // Without the static colours the palette starts after black.
    EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_STATIC));
    EXPECT_EQ(RealizePalette(dc), 2u);
    ASSERT_EQ(GetSystemPaletteEntries(dc, 1, 1, got), 1u);
    EXPECT_EQ(got[0].peGreen, 2);
    EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_STATIC), static_cast<UINT>(SYSPAL_NOSTATIC));
    ASSERT_EQ(GetSystemPaletteEntries(dc, 1, 1, got), 1u);
    EXPECT_EQ(got[0].peRed, 128) << "the static colours come back";

    SelectPalette(dc, previous, FALSE);
    DeleteObject(palette);
    ReleaseDC(window, dc);
}
