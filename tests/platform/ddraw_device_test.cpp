// The display device on its own: modes, surfaces, flips, blits, locks, loss
// and the test hooks the display lifecycle tests rely on.
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/window.h>

#include "platform/ddraw/ddraw_testing.h"
#include <vantrel/seam/display_modes.h>
#include "support/display_fixture.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

namespace ddraw = vtl::testing::ddraw;
using ddraw::Op;

DDSURFACEDESC blankDesc()
{
    DDSURFACEDESC d;
    std::memset(&d, 0, sizeof d);
    d.dwSize = sizeof d;
    return d;
}

DDPIXELFORMAT formatOf(IDirectDrawSurface* s)
{
    DDPIXELFORMAT pf;
    std::memset(&pf, 0, sizeof pf);
    pf.dwSize = sizeof pf;
    EXPECT_EQ(s->GetPixelFormat(&pf), DD_OK);
    return pf;
}

class DeviceTest : public DisplayTest {
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
        owned_.insert(owned_.begin(), object); // released newest first
        return object;
    }

    IDirectDraw* device(DWORD level = DDSCL_NORMAL)
    {
        IDirectDraw* dd = nullptr;
        EXPECT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
        EXPECT_EQ(dd->SetCooperativeLevel(window, level), DD_OK);
        return keep(dd);
    }
    IDirectDraw* fullscreen(DWORD w, DWORD h, DWORD bits)
    {
        IDirectDraw* dd = device(DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWMODEX);
        EXPECT_EQ(dd->SetDisplayMode(w, h, bits), DD_OK);
        return dd;
    }
    IDirectDrawSurface* flippingPrimary(IDirectDraw* dd)
    {
        DDSURFACEDESC d = blankDesc();
        d.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        d.dwBackBufferCount = 1;
        d.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        IDirectDrawSurface* s = nullptr;
        EXPECT_EQ(dd->CreateSurface(&d, &s, nullptr), DD_OK);
        return keep(s);
    }
    IDirectDrawSurface* plain(IDirectDraw* dd, DWORD w, DWORD h, DWORD caps = DDSCAPS_OFFSCREENPLAIN)
    {
        DDSURFACEDESC d = blankDesc();
        d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        d.dwWidth = w;
        d.dwHeight = h;
        d.ddsCaps.dwCaps = caps;
        IDirectDrawSurface* s = nullptr;
        EXPECT_EQ(dd->CreateSurface(&d, &s, nullptr), DD_OK);
        return keep(s);
    }

private:
    std::vector<IUnknown*> owned_;
};

HRESULT WINAPI collectMode(LPDDSURFACEDESC mode, LPVOID context)
{
    auto* modes = static_cast<std::vector<std::pair<DWORD, DWORD>>*>(context);
    modes->emplace_back(mode->dwWidth * 10000 + mode->dwHeight, mode->ddpfPixelFormat.dwRGBBitCount);
    return DDENUMRET_OK;
}

TEST_F(DeviceTest, ListsStandardModesAndTheGamesOwnSizeInOrderOfArea)
{
    vtl::setGameDisplaySize(720, 540);
    std::vector<std::pair<DWORD, DWORD>> modes;
    ASSERT_EQ(device()->EnumDisplayModes(0, nullptr, &modes, collectMode), DD_OK);
    const DWORD sizes[] = {6400480, 7200540, 8000600, 10240768};
    const DWORD depths[] = {8, 16, 24, 32};
    ASSERT_EQ(modes.size(), 16u);
    for (size_t i = 0; i < modes.size(); ++i) {
        EXPECT_EQ(modes[i].first, sizes[i / 4]);
        EXPECT_EQ(modes[i].second, depths[i % 4]);
    }
    vtl::setGameDisplaySize(640, 480); // a standard size is listed once
    modes.clear();
    device()->EnumDisplayModes(0, nullptr, &modes, collectMode);
    EXPECT_EQ(modes.size(), 12u);
}

TEST_F(DeviceTest, SetsOnlyListedModesAndOnlyWithExclusiveAccess)
{
    EXPECT_EQ(device()->SetDisplayMode(640, 480, 16), DDERR_NOEXCLUSIVEMODE);
    IDirectDraw* dd = device(DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    EXPECT_EQ(dd->SetDisplayMode(640, 480, 15), DDERR_INVALIDMODE);
    EXPECT_EQ(dd->SetDisplayMode(700, 500, 16), DDERR_INVALIDMODE);
    EXPECT_EQ(dd->SetDisplayMode(1024, 768, 24), DD_OK);
    EXPECT_EQ(dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
    EXPECT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DDERR_INVALIDPARAMS);
}

TEST_F(DeviceTest, WindowedPrimaryTakesTheDesktopFormatReadWhenTheDeviceIsMade)
{
    useDesktop("bgr555");
    IDirectDraw* first = device();
    useDesktop("rgb32");
    IDirectDraw* second = device();
    DDSURFACEDESC d = blankDesc();
    d.dwFlags = DDSD_CAPS;
    d.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface* a = nullptr;
    IDirectDrawSurface* b = nullptr;
    ASSERT_EQ(first->CreateSurface(&d, &a, nullptr), DD_OK);
    keep(a);
    ASSERT_EQ(second->CreateSurface(&d, &b, nullptr), DD_OK);
    keep(b);
    const DDPIXELFORMAT fa = formatOf(a), fb = formatOf(b);
    EXPECT_EQ(fa.dwRGBBitCount, 16u);
    EXPECT_EQ(fa.dwRBitMask, 0x001Fu);
    EXPECT_EQ(fa.dwGBitMask, 0x03E0u);
    EXPECT_EQ(fb.dwRGBBitCount, 32u);
    EXPECT_EQ(fb.dwRBitMask, 0xFF0000u);
    // One primary per display object.
    IDirectDrawSurface* again = nullptr;
    EXPECT_EQ(first->CreateSurface(&d, &again, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
    EXPECT_EQ(again, nullptr);
}

TEST_F(DeviceTest, FullScreenModesKeepTheDesktopLayoutOnlyAtItsOwnDepth)
{
    useDesktop("bgr565");
    IDirectDrawSurface* p16 = flippingPrimary(fullscreen(640, 480, 16));
    EXPECT_EQ(formatOf(p16).dwRBitMask, 0x001Fu);
    useDesktop("rgb32");
    IDirectDraw* dd = fullscreen(800, 600, 16);
    IDirectDrawSurface* p = flippingPrimary(dd);
    const DDPIXELFORMAT pf = formatOf(p);
    EXPECT_EQ(pf.dwGBitMask, 0x07E0u);
    EXPECT_EQ(pf.dwRBitMask, 0xF800u);
    DDSURFACEDESC d = blankDesc();
    ASSERT_EQ(p->GetSurfaceDesc(&d), DD_OK);
    EXPECT_EQ(d.dwWidth, 800u);
    EXPECT_EQ(d.dwHeight, 600u);
    EXPECT_EQ(dd->SetDisplayMode(800, 600, 8), DD_OK);
    EXPECT_EQ(formatOf(plain(dd, 4, 4)).dwFlags & DDPF_PALETTEINDEXED8, DDPF_PALETTEINDEXED8);
}

TEST_F(DeviceTest, FlipExchangesThePixelsOfPrimaryAndBackBuffer)
{
    IDirectDrawSurface* primary = flippingPrimary(fullscreen(640, 480, 32));
    DDSCAPS caps{DDSCAPS_BACKBUFFER};
    IDirectDrawSurface* back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    keep(back);

    DDSURFACEDESC d = blankDesc();
    ASSERT_EQ(back->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
    static_cast<uint32_t*>(d.lpSurface)[0] = 0x123456;
    ASSERT_EQ(back->Unlock(d.lpSurface), DD_OK);
    EXPECT_EQ(back->Flip(nullptr, 0), DDERR_NOTFLIPPABLE);
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);

    d = blankDesc();
    ASSERT_EQ(primary->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(static_cast<uint32_t*>(d.lpSurface)[0], 0x123456u);
    EXPECT_EQ(primary->Flip(nullptr, 0), DDERR_SURFACEBUSY);
    primary->Unlock(nullptr);
}

TEST_F(DeviceTest, ReleasingThePrimaryBeforeItsBackBufferLeavesTheBackBufferUsable)
{
    IDirectDraw* dd = fullscreen(640, 480, 16);
    DDSURFACEDESC d = blankDesc();
    d.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    d.dwBackBufferCount = 1;
    d.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    IDirectDrawSurface* primary = nullptr;
    ASSERT_EQ(dd->CreateSurface(&d, &primary, nullptr), DD_OK);
    DDSCAPS caps{DDSCAPS_BACKBUFFER};
    IDirectDrawSurface* back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    EXPECT_EQ(primary->Release(), 0u);
    DDSURFACEDESC lock = blankDesc();
    EXPECT_EQ(back->Lock(nullptr, &lock, 0, nullptr), DD_OK);
    back->Unlock(nullptr);
    EXPECT_EQ(back->Release(), 0u);
}

TEST_F(DeviceTest, LosingTheDisplayLosesDisplayMemoryButNotSystemMemory)
{
    IDirectDraw* dd = fullscreen(640, 480, 16);
    IDirectDrawSurface* primary = flippingPrimary(dd);
    IDirectDrawSurface* video = plain(dd, 8, 8);
    IDirectDrawSurface* system = plain(dd, 8, 8, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
    ddraw::loseDisplay();

    EXPECT_EQ(primary->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(video->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(system->IsLost(), DD_OK);
    DDSURFACEDESC d = blankDesc();
    EXPECT_EQ(video->Lock(nullptr, &d, 0, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(primary->Flip(nullptr, 0), DDERR_SURFACELOST);
    EXPECT_EQ(system->Blt(nullptr, video, nullptr, 0, nullptr), DDERR_SURFACELOST);

    EXPECT_EQ(primary->Restore(), DD_OK);
    EXPECT_EQ(primary->IsLost(), DD_OK);
    EXPECT_EQ(primary->Flip(nullptr, 0), DD_OK);
    // Once the mode is gone, a flipping chain cannot come back.
    ASSERT_EQ(dd->RestoreDisplayMode(), DD_OK);
    EXPECT_EQ(primary->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(primary->Restore(), DDERR_WRONGMODE);
}

TEST_F(DeviceTest, MinimisingAFullScreenWindowLosesTheDisplay)
{
    IDirectDraw* windowed = device();
    IDirectDrawSurface* s = plain(windowed, 4, 4);
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_EQ(s->IsLost(), DD_OK) << "a window may be minimised freely";
    ShowWindow(window, SW_RESTORE);

    IDirectDrawSurface* primary = flippingPrimary(fullscreen(640, 480, 16));
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_EQ(primary->IsLost(), DDERR_SURFACELOST);
    ShowWindow(window, SW_RESTORE);
}

TEST_F(DeviceTest, LockReportsPitchAndHonoursItsRectangle)
{
    useDesktop("rgb24");
    IDirectDrawSurface* s = plain(device(), 101, 7);
    DDSURFACEDESC d = blankDesc();
    ASSERT_EQ(s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(d.lPitch, 304);
    EXPECT_EQ(d.dwFlags & DDSD_LPSURFACE, static_cast<DWORD>(DDSD_LPSURFACE));
    unsigned char* base = static_cast<unsigned char*>(d.lpSurface);
    DDSURFACEDESC again = blankDesc();
    EXPECT_EQ(s->Lock(nullptr, &again, 0, nullptr), DDERR_SURFACEBUSY);
    ASSERT_EQ(s->Unlock(base), DD_OK);
    EXPECT_EQ(s->Unlock(base), DDERR_NOTLOCKED);

    RECT r{10, 2, 20, 5};
    ASSERT_EQ(s->Lock(&r, &again, 0, nullptr), DD_OK);
    EXPECT_EQ(static_cast<unsigned char*>(again.lpSurface), base + 2 * 304 + 30);
    s->Unlock(nullptr);
    RECT outside{95, 0, 102, 1};
    EXPECT_EQ(s->Lock(&outside, &again, 0, nullptr), DDERR_INVALIDRECT);
    DDSURFACEDESC small = blankDesc();
    small.dwSize = 108 - 1;
    EXPECT_EQ(s->Lock(nullptr, &small, 0, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(DeviceTest, ColourFillWritesEveryByteOfThePixelInsideTheRectangleOnly)
{
    useDesktop("bgr24");
    IDirectDrawSurface* s = plain(device(), 6, 3);
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0xA1B2C3;
    RECT r{1, 1, 4, 2};
    ASSERT_EQ(s->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    DDSURFACEDESC d = blankDesc();
    ASSERT_EQ(s->Lock(nullptr, &d, 0, nullptr), DD_OK);
    const unsigned char* p = static_cast<unsigned char*>(d.lpSurface);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool in = y == 1 && x >= 1 && x < 4;
            const unsigned char* px = p + y * d.lPitch + x * 3;
            EXPECT_EQ(px[0], in ? 0xC3 : 0) << x << "," << y;
            EXPECT_EQ(px[2], in ? 0xA1 : 0) << x << "," << y;
        }
    s->Unlock(nullptr);
    fx.dwSize = 100 - 1;
    EXPECT_EQ(s->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDPARAMS);
}

TEST_F(DeviceTest, CopyStretchesAndRefusesWhatDoesNotFit)
{
    useDesktop("rgb32");
    IDirectDraw* dd = device();
    IDirectDrawSurface* from = plain(dd, 2, 2);
    IDirectDrawSurface* to = plain(dd, 4, 4);
    DDSURFACEDESC d = blankDesc();
    ASSERT_EQ(from->Lock(nullptr, &d, 0, nullptr), DD_OK);
    auto* p = static_cast<uint32_t*>(d.lpSurface);
    const LONG stride = d.lPitch / 4;
    p[0] = 1;
    p[1] = 2;
    p[stride] = 3;
    p[stride + 1] = 4;
    from->Unlock(nullptr);

    ASSERT_EQ(to->Blt(nullptr, from, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    ASSERT_EQ(to->Lock(nullptr, &d, 0, nullptr), DD_OK);
    const auto* q = static_cast<uint32_t*>(d.lpSurface);
    const LONG s4 = d.lPitch / 4;
    const uint32_t expected[4][4] = {{1, 1, 2, 2}, {1, 1, 2, 2}, {3, 3, 4, 4}, {3, 3, 4, 4}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(q[y * s4 + x], expected[y][x]) << x << "," << y;
    to->Unlock(nullptr);

    RECT beyond{0, 0, 3, 3};
    EXPECT_EQ(to->Blt(nullptr, from, &beyond, 0, nullptr), DDERR_INVALIDRECT);
    RECT offSurface{2, 2, 6, 6};
    EXPECT_EQ(to->Blt(&offSurface, from, nullptr, 0, nullptr), DDERR_INVALIDRECT);
    useDesktop("rgb565");
    IDirectDrawSurface* other = plain(device(), 2, 2);
    EXPECT_EQ(to->Blt(nullptr, other, nullptr, 0, nullptr), DDERR_INVALIDPIXELFORMAT);
}

TEST_F(DeviceTest, BlitIntoAClippedPrimaryLandsOnlyInTheWindowsClientArea)
{
    useDesktop("rgb32");
    IDirectDraw* dd = device();
    DDSURFACEDESC d = blankDesc();
    d.dwFlags = DDSD_CAPS;
    d.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface* primary = nullptr;
    ASSERT_EQ(dd->CreateSurface(&d, &primary, nullptr), DD_OK);
    keep(primary);
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    keep(clipper);
    ASSERT_EQ(clipper->SetHWnd(0, window), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);

    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    IDirectDrawSurface* back = plain(dd, 400, 400);
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0xFFFFFF;
    ASSERT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);

    // A rectangle wider than the window, starting left of it.
    RECT wide{origin.x - 50, origin.y, origin.x - 50 + 400, origin.y + 400};
    ASSERT_EQ(primary->Blt(&wide, back, nullptr, 0, nullptr), DD_OK);
    RECT nothing{0, 0, 0, 0};
    EXPECT_EQ(primary->Blt(&nothing, back, nullptr, 0, nullptr), DD_OK);

    ASSERT_EQ(primary->Lock(nullptr, &d, 0, nullptr), DD_OK);
    const auto* p = static_cast<uint32_t*>(d.lpSurface);
    const LONG stride = d.lPitch / 4;
    auto at = [&](LONG x, LONG y) { return p[y * stride + x]; };
    EXPECT_EQ(at(origin.x, origin.y), 0xFFFFFFu);
    EXPECT_EQ(at(origin.x + client.right - 1, origin.y + client.bottom - 1), 0xFFFFFFu);
    EXPECT_EQ(at(origin.x - 1, origin.y), 0u);
    EXPECT_EQ(at(origin.x + client.right, origin.y), 0u);
    EXPECT_EQ(at(origin.x, origin.y + client.bottom), 0u);
    primary->Unlock(nullptr);
}

TEST_F(DeviceTest, PalettesHoldTheirEntriesAndAttachOnlyToEightBitSurfaces)
{
    PALETTEENTRY entries[256];
    for (int i = 0; i < 256; ++i)
        entries[i] = PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 7, 0};
    IDirectDraw* dd = fullscreen(640, 480, 8);
    IDirectDrawPalette* palette = nullptr;
    EXPECT_EQ(dd->CreatePalette(DDPCAPS_ALLOW256, entries, &palette, nullptr), DDERR_INVALIDPARAMS);
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
    keep(palette);
    PALETTEENTRY read[2];
    ASSERT_EQ(palette->GetEntries(0, 254, 2, read), DD_OK);
    EXPECT_EQ(read[1].peRed, 255);
    EXPECT_EQ(read[1].peGreen, 0);
    EXPECT_EQ(palette->GetEntries(0, 255, 2, read), DDERR_INVALIDPARAMS);

    IDirectDrawSurface* primary = flippingPrimary(dd);
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    IDirectDrawPalette* attached = nullptr;
    ASSERT_EQ(primary->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, palette);
    attached->Release();
    ASSERT_EQ(dd->SetDisplayMode(640, 480, 16), DD_OK);
    EXPECT_EQ(plain(dd, 2, 2)->SetPalette(palette), DDERR_INVALIDPIXELFORMAT);
}

TEST_F(DeviceTest, HooksFailAfterSkippingOnceOrAlwaysAndRecordFlags)
{
    ddraw::record();
    ddraw::failNext(Op::Create, DDERR_GENERIC, 1);
    IDirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    dd->Release();
    EXPECT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DDERR_GENERIC);
    EXPECT_EQ(dd, nullptr);
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    keep(dd);

    ddraw::failAlways(Op::SetCooperativeLevel, DDERR_INVALIDPARAMS);
    EXPECT_EQ(dd->SetCooperativeLevel(window, DDSCL_NORMAL), DDERR_INVALIDPARAMS);
    EXPECT_EQ(dd->SetCooperativeLevel(window, DDSCL_NORMAL), DDERR_INVALIDPARAMS);
    EXPECT_EQ(ddraw::countCalls(Op::Create), 3u);
    ASSERT_EQ(ddraw::calls().back().op, Op::SetCooperativeLevel);
    EXPECT_EQ(ddraw::calls().back().flags, static_cast<DWORD>(DDSCL_NORMAL));
}

TEST_F(DeviceTest, DriversAreThePrimaryDisplayAndWhatTheHooksAdd)
{
    struct Seen {
        std::vector<std::string> names;
        std::vector<GUID> guids;
        size_t stopAfter;
    } seen{{}, {}, 3};
    auto collect = [](GUID* guid, LPSTR, LPSTR name, LPVOID context) -> BOOL {
        Seen& s = *static_cast<Seen*>(context);
        s.names.emplace_back(name);
        if (guid)
            s.guids.push_back(*guid);
        return s.names.size() < s.stopAfter;
    };
    ASSERT_EQ(DirectDrawEnumerateA(collect, &seen), DD_OK);
    ASSERT_EQ(seen.names.size(), 1u);
    EXPECT_EQ(seen.names[0], "display");

    ddraw::setExtraDrivers(5);
    seen.names.clear();
    ASSERT_EQ(DirectDrawEnumerateA(collect, &seen), DD_OK);
    EXPECT_EQ(seen.names.size(), 3u) << "enumeration stops when the callback says so";
    IDirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(&seen.guids[0], &dd, nullptr), DD_OK);
    dd->Release();
    GUID unknown{};
    unknown.Data1 = 42;
    EXPECT_EQ(DirectDrawCreate(&unknown, &dd, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(DirectDrawCreate(DDCREATE_EMULATIONONLY, &dd, nullptr), DD_OK);
    dd->Release();
}

} // namespace
