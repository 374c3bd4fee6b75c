// Starting, presenting, switching, restoring and ending the display on the
// headless backend.
#include <vantrel/bitplanefx.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/window.h>

#include "display/configuration.h"
#include "surface/effects_switch.h"
#include "platform/ddraw/ddraw_testing.h"
#include "support/display_fixture.h"
#include "support/message_capture.h"
#include <vantrel/seam/window_backend.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

namespace ddraw = vtl::testing::ddraw;
using ddraw::Op;

class LifecycleTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        vtl::setEffectsEnabled(true);
    }
    void TearDown() override
    {
        handle.gfxEnd();
        vtl::setConfigurationDialog(nullptr);
        DisplayTest::TearDown();
    }
    // Override: windowed on the first driver.
    signed char beginWindowed(unsigned short w = 320, unsigned short h = 240)
    {
        handle.gfxSetup(window, w, h, 16);
        handle.Override();
        return handle.gfxBegin();
    }
    signed char beginFullscreen(unsigned char bits, unsigned short w = 640, unsigned short h = 480)
    {
        handle.gfxSetup(window, w, h, bits);
        handle.Override();
        handle.isFullscreen = true;
        return handle.gfxBegin();
    }
    void expectNoDisplay()
    {
        EXPECT_EQ(handle.directDraw, nullptr);
        EXPECT_EQ(handle.primary, nullptr);
        EXPECT_EQ(handle.backBuffer, nullptr);
        EXPECT_EQ(handle.clipper, nullptr);
    }

    VTLHND handle;
};

TEST_F(LifecycleTest, OverrideStartsInAWindowAtTheDesktopFormat)
{
    useDesktop("bgr555");
    ASSERT_EQ(beginWindowed(), 1);
    EXPECT_FALSE(handle.fullscreen());
    EXPECT_EQ(handle.bitsPerPixel, 16);
    EXPECT_EQ(handle.formatCode, PF_RGB555 | PF_BGR);
    EXPECT_EQ(handle.bytesPerPixel, 2);
    EXPECT_EQ(handle.redMask, 0x001Fu);
    EXPECT_NE(handle.primary, nullptr);
    EXPECT_NE(handle.backBuffer, nullptr);
    ASSERT_NE(handle.clipper, nullptr);
    HWND bound = nullptr;
    handle.clipper->GetHWnd(&bound);
    EXPECT_EQ(bound, window);
    EXPECT_EQ(HalfMask, 0x3DEF3DEFu);
}

TEST_F(LifecycleTest, EightBitDisplaysGetTheFixedPaletteAndTables)
{
    ASSERT_EQ(beginFullscreen(8), 1);
    EXPECT_EQ(handle.formatCode, PF_PAL8);
    EXPECT_EQ(handle.redMask, 0xE0u);
    EXPECT_EQ(Fade8[128][0x1C], 0x0C);
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(handle.primary->GetPalette(&palette), DD_OK);
    PALETTEENTRY e[2];
    palette->GetEntries(0, 0x92, 1, &e[0]);
    palette->GetEntries(0, 0xFF, 1, &e[1]);
    EXPECT_EQ((e[0].peRed << 16) | (e[0].peGreen << 8) | e[0].peBlue, (145 << 16) | (145 << 8) | 170);
    EXPECT_EQ((e[1].peRed << 16) | (e[1].peGreen << 8) | e[1].peBlue, 0xFFFFFF);
    // The primary holds the only other reference.
    EXPECT_EQ(palette->Release(), 1u);
}

TEST_F(LifecycleTest, WithoutOverrideTheDialogsDefaultsStartFullScreenAtTheSecondDepth)
{
    useDesktop("rgb32");
    vtl::setEffectsEnabled(false);
    handle.gfxSetup(window, 640, 480, 32);
    ASSERT_EQ(handle.gfxBegin(), 1);
    EXPECT_TRUE(handle.configured);
    EXPECT_TRUE(handle.fullscreen());
    EXPECT_EQ(handle.bitsPerPixel, 16);
    EXPECT_EQ(handle.formatCode, PF_RGB565);
    EXPECT_EQ(handle.driverIndex, 0);
    EXPECT_TRUE(handle.effectsChoice);
    EXPECT_TRUE(handle.gfxGetEffectsState());
    EXPECT_EQ(handle.clipper, nullptr);
    EXPECT_EQ(vtl::configurationResult().handle, &handle);
}

struct StartFailure {
    const char* name;
    bool fullscreen;
    Op op;
    unsigned skip;
    const char* messages; // every message of the failed start, in order
};

std::ostream& operator<<(std::ostream& os, const StartFailure& f) { return os << f.name; }

class StartFailureTest : public LifecycleTest, public testing::WithParamInterface<StartFailure> {};

TEST_P(StartFailureTest, ReportsAndReleasesEverything)
{
    const StartFailure& f = GetParam();
    ddraw::failNext(f.op, DDERR_GENERIC, f.skip);
    MessageCapture capture;
    const signed char result = f.fullscreen ? beginFullscreen(16) : beginWindowed();
    EXPECT_EQ(result, -1);
    EXPECT_EQ(capture.text(), f.messages);
    expectNoDisplay();
    EXPECT_TRUE(handle.configured);
    // The next start goes through.
    EXPECT_EQ(handle.gfxBegin(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, StartFailureTest,
    testing::Values(
        StartFailure{"create", false, Op::Create, 0, "DirectDrawCreate failed err=-2147467259\r\nDDEnable Failed\r\n"},
        StartFailure{"level", true, Op::SetCooperativeLevel, 0,
                     "SetCooperativeLevel failed err=-2147467259\r\nDDEnable Failed\r\n"},
        StartFailure{"mode", true, Op::SetDisplayMode, 0, "SetMode failed err=-2147467259\r\nDDEnable Failed\r\n"},
        StartFailure{"primary", false, Op::CreateSurface, 0, "DDCreateFlippingSurface Failed\r\n"},
        StartFailure{"backBuffer", false, Op::CreateSurface, 1,
                     "CreateSurface FAILED, rc = 16389\r\nDDCreateFlippingSurface Failed\r\n"},
        StartFailure{"clipper", false, Op::CreateClipper, 0, "DDCreateFlippingSurface Failed\r\n"},
        StartFailure{"attached", true, Op::GetAttachedSurface, 0,
                     "GetAttachedSurface failed! err=-2147467259\r\nDDCreateFlippingSurface Failed\r\n"}),
    [](const testing::TestParamInfo<StartFailure>& info) { return std::string(info.param.name); });

TEST_F(LifecycleTest, AModeTheDisplayDoesNotOfferFailsToStart)
{
    MessageCapture capture;
    EXPECT_EQ(beginFullscreen(15), -1);
    EXPECT_EQ(capture.text(), "SetMode failed err=-2005532552\r\nDDEnable Failed\r\n");
    expectNoDisplay();
}

TEST_F(LifecycleTest, AnUnreadablePixelFormatIsRefusedAndTheDisplayReleased)
{
    ddraw::failNext(Op::GetPixelFormat, DDERR_GENERIC);
    MessageCapture capture;
    EXPECT_EQ(beginWindowed(), -2);
    EXPECT_EQ(capture.text(), "");
    expectNoDisplay();
}

TEST_F(LifecycleTest, AFailingFlipIsRetriedOnceAfterRestoreAllWithTheWaitFlag)
{
    ASSERT_EQ(beginFullscreen(16), 1);
    ddraw::record();
    ddraw::failNext(Op::Flip, DDERR_SURFACELOST);
    EXPECT_TRUE(handle.gfxSwapBuffers());

    std::vector<ddraw::Call> flips;
    bool restoredBetween = false;
    for (const auto& c : ddraw::calls()) {
        if (c.op == Op::Flip)
            flips.push_back(c);
        else if (c.op == Op::IsLost && flips.size() == 1)
            restoredBetween = true;
    }
    ASSERT_EQ(flips.size(), 2u);
    EXPECT_EQ(flips[0].flags, 0u);
    EXPECT_EQ(flips[1].flags, static_cast<DWORD>(DDFLIP_WAIT));
    EXPECT_TRUE(restoredBetween);
}

TEST_F(LifecycleTest, AFlipThatFailsTwiceIsReportedWithItsCode)
{
    ASSERT_EQ(beginFullscreen(16), 1);
    ddraw::record();
    ddraw::failAlways(Op::Flip, DDERR_SURFACELOST);
    MessageCapture capture;
    EXPECT_FALSE(handle.gfxSwapBuffers());
    EXPECT_EQ(capture.text(), "Flip FAILED, rc=887601c2\r\n");
    EXPECT_EQ(ddraw::countCalls(Op::Flip), 2u);
}

TEST_F(LifecycleTest, FullScreenSwapWithoutAPrimaryFailsUntilRestored)
{
    ASSERT_EQ(beginFullscreen(16), 1);
    ddraw::loseDisplay();
    ddraw::failNext(Op::CreateSurface, DDERR_OUTOFMEMORY);
    handle.RestoreAll();
    EXPECT_EQ(handle.primary, nullptr);
    EXPECT_EQ(handle.backBuffer, nullptr);
    EXPECT_FALSE(handle.gfxSwapBuffers());
    handle.RestoreAll();
    EXPECT_TRUE(handle.gfxSwapBuffers());
}

// Reads one 16-bit pixel of a display surface.
uint16_t pixelAt(IDirectDrawSurface* s, LONG x, LONG y)
{
    DDSURFACEDESC d;
    std::memset(&d, 0, sizeof d);
    d.dwSize = sizeof d;
    EXPECT_EQ(s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
    uint16_t v = 0;
    std::memcpy(&v, static_cast<unsigned char*>(d.lpSurface) + y * d.lPitch + x * 2, 2);
    s->Unlock(nullptr);
    return v;
}

TEST_F(LifecycleTest, WindowedSwapCopiesTheBackBufferIntoTheWindowRectangle)
{
    ASSERT_EQ(beginWindowed(64, 48), 1);
    handle.ClearBackBuffer(0xF800);

    // Before any rectangle is given, the copy goes to the empty one.
    EXPECT_TRUE(handle.gfxSwapBuffers());
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(pixelAt(handle.primary, origin.x, origin.y), 0);

    RECT onScreen{origin.x, origin.y, origin.x + 64, origin.y + 48};
    handle.gfxSetWindowRect(&onScreen);
    EXPECT_TRUE(handle.gfxSwapBuffers());
    EXPECT_EQ(pixelAt(handle.primary, origin.x, origin.y), 0xF800);
    EXPECT_EQ(pixelAt(handle.primary, origin.x + 63, origin.y + 47), 0xF800);
    EXPECT_EQ(pixelAt(handle.primary, origin.x + 64, origin.y), 0);
}

// A game that never gives its window rectangle is told once, at its first
// present; gfxBegin's own present comes before the game could give it.
TEST_F(LifecycleTest, TheFirstWindowedSwapWithAnEmptyRectangleSaysSoOnce)
{
    MessageCapture capture;
    ASSERT_EQ(beginWindowed(), 1);
    EXPECT_EQ(capture.text(), "");
    handle.gfxSwapBuffers();
    const std::string notice = "VTLHND::gfxSwapBuffers() - The window rectangle is empty: call gfxSetWindowRect "
                               "after gfxBegin and on WM_MOVE and WM_SIZE.\r\n";
    EXPECT_EQ(capture.text(), notice);
    RECT inverted{50, 50, 10, 10};
    handle.gfxSetWindowRect(&inverted);
    handle.gfxSwapBuffers();
    EXPECT_EQ(capture.text(), notice) << "said once per process";
}

TEST_F(LifecycleTest, AWindowRectangleOrFullScreenNeedsNoNotice)
{
    MessageCapture capture;
    ASSERT_EQ(beginFullscreen(16), 1);
    EXPECT_TRUE(handle.gfxSwapBuffers());
    handle.gfxSwitchMode();
    RECT client{0, 0, 320, 240};
    handle.gfxSetWindowRect(&client);
    EXPECT_TRUE(handle.gfxSwapBuffers());
    EXPECT_EQ(capture.text(), "");
}

TEST_F(LifecycleTest, WindowedSwapWithoutAPrimaryRestoresFirst)
{
    ASSERT_EQ(beginWindowed(), 1);
    handle.primary->Release();
    handle.primary = nullptr;
    EXPECT_TRUE(handle.gfxSwapBuffers());
    EXPECT_NE(handle.primary, nullptr);
}

BITPLANEFX systemBuffer(const VTLHND& h, int extraWidth = 0)
{
    BITPLANEFX s;
    std::memset(&s, 0, sizeof s);
    s.format = h.formatCode;
    s.bitsPerPixel = h.bitsPerPixel;
    s.bytesPerPixel = h.bytesPerPixel;
    s.create(static_cast<int>(h.width) + extraWidth, static_cast<int>(h.height), false);
    return s;
}

TEST_F(LifecycleTest, CopyBackBufferCopiesEveryRowAcrossDifferentPitches)
{
    useDesktop("rgb24");
    ASSERT_EQ(beginWindowed(37, 5), 1);
    BITPLANEFX frame = systemBuffer(handle, 5);
    for (DWORD i = 0; i < frame.pitch * 5; ++i)
        frame.pixels[i] = static_cast<unsigned char>(i * 7 + 1);
    ASSERT_TRUE(handle.gfxCopyBackBuffer(&frame));

    DDSURFACEDESC d;
    std::memset(&d, 0, sizeof d);
    d.dwSize = sizeof d;
    ASSERT_EQ(handle.backBuffer->Lock(nullptr, &d, 0, nullptr), DD_OK);
    ASSERT_NE(static_cast<DWORD>(d.lPitch), frame.pitch);
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(std::memcmp(static_cast<unsigned char*>(d.lpSurface) + y * d.lPitch,
                              frame.pixels + y * frame.pitch, 37 * 3),
                  0)
            << "row " << y;
    handle.backBuffer->Unlock(nullptr);
    frame.release();
}

TEST_F(LifecycleTest, CopyBackBufferInAWindowRestoresALostDisplayInTheSameCall)
{
    ASSERT_EQ(beginWindowed(16, 16), 1);
    BITPLANEFX frame = systemBuffer(handle);
    std::memset(frame.pixels, 0x5A, frame.pitch * 16);
    ddraw::loseDisplay();
    MessageCapture capture;
    ASSERT_TRUE(handle.gfxCopyBackBuffer(&frame));
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(handle.primary->IsLost(), DD_OK);
    EXPECT_EQ(pixelAt(handle.backBuffer, 15, 15), 0x5A5A);
    EXPECT_NE(handle.clipper, nullptr);
    frame.release();
}

TEST_F(LifecycleTest, CopyBackBufferInFullScreenLeavesRestoringToTheSwap)
{
    ASSERT_EQ(beginFullscreen(16), 1);
    BITPLANEFX frame = systemBuffer(handle);
    ddraw::loseDisplay();
    IDirectDrawSurface* before = handle.primary;
    MessageCapture capture;
    EXPECT_FALSE(handle.gfxCopyBackBuffer(&frame));
    EXPECT_EQ(capture.text(), "Lock Failed\r\n");
    EXPECT_EQ(handle.primary, before);
    EXPECT_TRUE(handle.gfxSwapBuffers());
    EXPECT_TRUE(handle.gfxCopyBackBuffer(&frame));
    frame.release();
}

TEST_F(LifecycleTest, CopyAndClearRefuseSurfacesSmallerThanTheDisplay)
{
    ASSERT_EQ(beginWindowed(32, 8), 1);
    BITPLANEFX narrow = systemBuffer(handle, -1);
    std::memset(narrow.pixels, 0x11, narrow.pitch * 8);
    EXPECT_FALSE(handle.gfxCopyBackBuffer(&narrow));
    EXPECT_FALSE(handle.gfxCopyBackBuffer(nullptr));
    handle.gfxClearSystemBuffer(&narrow);
    EXPECT_EQ(narrow.pixels[0], 0x11);
    narrow.release();
    BITPLANEFX empty{};
    handle.gfxClearSystemBuffer(&empty);
    handle.gfxClearSystemBuffer(nullptr);
}

TEST_F(LifecycleTest, ClearSystemBufferBlanksTheDisplayWidthOfEachRowOnly)
{
    ASSERT_EQ(beginWindowed(10, 3), 1);
    BITPLANEFX frame = systemBuffer(handle, 3);
    std::memset(frame.pixels, 0xEE, frame.pitch * 3);
    handle.gfxClearSystemBuffer(&frame);
    for (int y = 0; y < 3; ++y) {
        const unsigned char* row = frame.pixels + y * frame.pitch;
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(row[i], 0) << y;
        EXPECT_EQ(row[20], 0xEE) << y;
    }
    frame.release();
}

TEST_F(LifecycleTest, RestoreAllOnAnIntactDisplayKeepsItsSurfacesAndRebuildsTheTables)
{
    ASSERT_EQ(beginWindowed(), 1);
    IDirectDrawSurface* primary = handle.primary;
    Scale8[255][200] = 0;
    handle.RestoreAll();
    EXPECT_EQ(handle.primary, primary);
    EXPECT_EQ(Scale8[255][200], 200);
}

TEST_F(LifecycleTest, RestoreAllAfterALossMakesNewSurfacesInTheNewFormat)
{
    useDesktop("rgb565");
    ASSERT_EQ(beginWindowed(), 1);
    useDesktop("rgb32"); // only a new display object sees another desktop
    ddraw::loseDisplay();
    handle.RestoreAll();
    ASSERT_NE(handle.primary, nullptr);
    EXPECT_EQ(handle.primary->IsLost(), DD_OK);
    EXPECT_EQ(handle.formatCode, PF_RGB565);
}

TEST_F(LifecycleTest, SwitchModeGoesToFullScreenAtTheDesktopDepthAndBack)
{
    useDesktop("rgb32");
    handle.gfxSetup(window, 640, 480, 8);
    handle.Override();
    ASSERT_EQ(handle.gfxBegin(), 1);
    ASSERT_EQ(handle.bitsPerPixel, 32);

    ddraw::record();
    handle.gfxSwitchMode();
    EXPECT_TRUE(handle.fullscreen());
    EXPECT_EQ(handle.bitsPerPixel, 32);
    EXPECT_EQ(handle.clipper, nullptr);
    ASSERT_NE(handle.backBuffer, nullptr);
    bool asked32 = false;
    for (const auto& c : ddraw::calls())
        asked32 |= c.op == Op::SetDisplayMode && c.flags == 32;
    EXPECT_TRUE(asked32);
    // Visibility is the window's state, which the window system keeps, as
    // it keeps a top-level window clipping its siblings.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~static_cast<DWORD>(WS_VISIBLE),
              static_cast<DWORD>(WS_POPUP | WS_SYSMENU | WS_CLIPSIBLINGS));
    EXPECT_TRUE(handle.gfxSwapBuffers());

    handle.gfxSwitchMode();
    EXPECT_FALSE(handle.fullscreen());
    EXPECT_NE(handle.clipper, nullptr);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(style & WS_POPUP, 0u);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
              static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
    EXPECT_TRUE(handle.gfxSwapBuffers());
}

// The game's window hears of every mode the display takes, as it would from
// the system: the full-screen mode when it starts, the desktop when it goes
// back to a window.
struct DisplayChange {
    WPARAM bits;
    int width, height;
};

void recordDisplayChange(HWND, UINT message, WPARAM wParam, LPARAM lParam, void* user)
{
    if (message == WM_DISPLAYCHANGE)
        static_cast<std::vector<DisplayChange>*>(user)->push_back({wParam, LOWORD(lParam), HIWORD(lParam)});
}

TEST_F(LifecycleTest, TheGamesWindowHearsOfEachModeTheDisplayTakes)
{
    useDesktop("rgb32");
    std::vector<DisplayChange> heard;
    const int watch = vtl::watchWindowMessages(window, recordDisplayChange, &heard);
    ASSERT_EQ(beginFullscreen(16), 1);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].bits, 16u);
    EXPECT_EQ(heard[0].width, 640);
    EXPECT_EQ(heard[0].height, 480);

    handle.gfxSwitchMode();
    vtl::unwatchWindowMessages(watch);
    ASSERT_FALSE(handle.fullscreen());
    ASSERT_EQ(heard.size(), 2u);
    const vtl::Desktop desk = vtl::desktop();
    EXPECT_EQ(heard[1].bits, 32u);
    EXPECT_EQ(heard[1].width, desk.width);
    EXPECT_EQ(heard[1].height, desk.height);
}

TEST_F(LifecycleTest, WindowIsCentredWithTheGamesClientSize)
{
    const LONG keep = WS_VISIBLE | WS_CLIPCHILDREN;
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(WS_POPUP) | keep);
    ASSERT_EQ(beginWindowed(200, 100), 1);
    RECT client{}, frame{};
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    EXPECT_EQ(client.right - client.left, 200);
    EXPECT_EQ(client.bottom - client.top, 100);
    const LONG w = frame.right - frame.left, h = frame.bottom - frame.top;
    EXPECT_EQ(frame.left, GetSystemMetrics(SM_CXSCREEN) / 2 - w / 2);
    EXPECT_EQ(frame.top, GetSystemMetrics(SM_CYSCREEN) / 2 - h / 2);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(style & static_cast<DWORD>(keep), static_cast<DWORD>(keep));
    EXPECT_EQ(style & WS_POPUP, 0u);
}

TEST_F(LifecycleTest, AWindowLargerThanTheScreenKeepsItsTopLeftInTheWorkArea)
{
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(beginWindowed(static_cast<unsigned short>(w), static_cast<unsigned short>(h)), 1);
    RECT work{}, frame{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, work.left);
    EXPECT_EQ(frame.top, work.top);
}

TEST_F(LifecycleTest, EndReleasesOnceAndOnAFreshHandleTouchesNothing)
{
    VTLHND fresh;
    ddraw::record();
    fresh.gfxEnd();
    EXPECT_TRUE(ddraw::calls().empty());

    ASSERT_EQ(beginFullscreen(16), 1);
    ddraw::record();
    handle.gfxEnd();
    expectNoDisplay();
    EXPECT_EQ(ddraw::countCalls(Op::RestoreDisplayMode), 1u);
    handle.gfxEnd();
    EXPECT_EQ(ddraw::countCalls(Op::RestoreDisplayMode), 1u);
    expectNoDisplay();
    // It can start again, without asking.
    EXPECT_EQ(handle.gfxBegin(), 1);
}

} // namespace
