// The desktop a windowed game sees on a real screen: 5-6-5 unless the player
// asks for the screen's own format, so that a game drawn for 16-bit pixels
// keeps its keyed and blended blits on a 24/32-bit X server.
#include <vantrel/bitplanefx.h>
#include <vantrel/dxwindow.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

LRESULT CALLBACK plainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class DesktopFormatE2E : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display";
        ASSERT_TRUE(dxWindow.doReg(plainProcedure, 0, 0, 0));
        ASSERT_TRUE(dxWindow.createWindow(160, 120));
        dxWindow.show(SW_SHOW);
    }
    void TearDown() override
    {
        handle.gfxEnd();
        dxWindow.destroy();
        dxWindow.unReg();
        unsetenv("VANTREL_DESKTOP");
    }
    int beginWindowed()
    {
        handle.gfxSetup(dxWindow.hwnd(), 160, 120, 16);
        handle.Override();
        handle.isFullscreen = false;
        return handle.gfxBegin();
    }

    DXWindow dxWindow{GetModuleHandleA(nullptr), "VantrelDesktopE2E", "desktop e2e"};
    VTLHND handle;
};

TEST_F(DesktopFormatE2E, AWindowOnA32BitScreenGets565PixelsAndKeyedBlitsDraw)
{
    unsetenv("VANTREL_DESKTOP");
    ASSERT_EQ(beginWindowed(), 1);
    EXPECT_EQ(handle.bitsPerPixel, 16);

    BITPLANEFX sprite{}, target{};
    std::memset(&sprite, 0, sizeof sprite);
    std::memset(&target, 0, sizeof target);
    for (BITPLANEFX* s : {&sprite, &target}) {
        s->format = handle.formatCode;
        s->bitsPerPixel = handle.bitsPerPixel;
        s->bytesPerPixel = handle.bytesPerPixel;
        ASSERT_TRUE(s->create(8, 8, false));
        handle.gfxClearSystemBuffer(s);
    }
    const unsigned short red = static_cast<unsigned short>(handle.packColor(255, 0, 0));
    reinterpret_cast<unsigned short*>(sprite.pixels)[3 * sprite.pitch / 2 + 3] = red;
    sprite.colorKey = 0;
    RECT all{0, 0, 8, 8};
    target.TransBlt(&sprite, POINT{0, 0}, &all);
    EXPECT_EQ(reinterpret_cast<unsigned short*>(target.pixels)[3 * target.pitch / 2 + 3], red);
    sprite.release();
    target.release();
}

TEST_F(DesktopFormatE2E, NativeTakesTheRealScreensDepth)
{
    // xvfb-run's screens are 24 bits deep, which SDL shows as 32-bit pixels.
    setenv("VANTREL_DESKTOP", "native", 1);
    ASSERT_EQ(beginWindowed(), 1);
    EXPECT_EQ(handle.bitsPerPixel, 32);
}

} // namespace
