// ChangeDisplaySettings as a GDI game of the era uses it: the mode becomes
// the game's screen, the windows hear of it, the palette messages come on a
// palette display only, and a null mode gives the desktop back.
#include <vantrel/seam/palette_messages.h>
#include <vantrel/win32/display_settings.h>
#include <vantrel/win32/gdi_palettes.h>
#include <vantrel/win32/window.h>
#include <vantrel/win32/window_calls.h>

#include <gtest/gtest.h>

#include "support/window_recorder.h"

#include <algorithm>

namespace {

class DisplayModeMessages : public testing::Test {
protected:
    void SetUp() override
    {
        window = rec.create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
        other = rec.create(WS_POPUP | WS_VISIBLE, 300, 0, 200, 100);
        ASSERT_TRUE(window && other);
        WindowRecorder::drain();
        rec.clear();
    }
    void TearDown() override
    {
        ChangeDisplaySettingsA(nullptr, 0);
        DestroyWindow(window);
        DestroyWindow(other);
    }
    static LONG change(DWORD width, DWORD height, DWORD bits)
    {
        DEVMODEA mode = {};
        mode.dmSize = sizeof mode;
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
        mode.dmPelsWidth = width;
        mode.dmPelsHeight = height;
        mode.dmBitsPerPel = bits;
        return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
    }
    // How many of the test's two windows heard `message` (windows other
    // tests left behind may hear it too).
    size_t toldBoth(UINT message) const { return rec.only(message, window).size() + rec.only(message, other).size(); }
    bool before(UINT first, UINT second) const
    {
        auto a = std::find_if(rec.messages.begin(), rec.messages.end(), [&](auto& m) { return m.message == first; });
        auto b = std::find_if(rec.messages.begin(), rec.messages.end(), [&](auto& m) { return m.message == second; });
        return a < b;
    }

    WindowRecorder rec;
    HWND window = nullptr, other = nullptr;
};

TEST_F(DisplayModeMessages, AModeIsTheGamesScreenUntilTheDesktopIsAskedBack)
{
    const int realWidth = GetSystemMetrics(SM_CXSCREEN);
    ASSERT_EQ(change(640, 480, 16), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(desktop.right, 640);
    ASSERT_EQ(toldBoth(WM_DISPLAYCHANGE), 2u);
    auto told = rec.only(WM_DISPLAYCHANGE, window);
    EXPECT_EQ(told[0].wParam, 16u);
    EXPECT_EQ(told[0].lParam, MAKELPARAM(640, 480));
    DEVMODEA now = {};
    now.dmSize = sizeof now;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &now));
    EXPECT_EQ(now.dmPelsWidth, 640u);
    EXPECT_EQ(now.dmBitsPerPel, 16u);

    // The same mode again changes nothing and tells nobody.
    rec.clear();
    ASSERT_EQ(change(640, 480, 16), DISP_CHANGE_SUCCESSFUL);
    EXPECT_TRUE(rec.only(WM_DISPLAYCHANGE).empty());

    ASSERT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), realWidth);
    EXPECT_EQ(toldBoth(WM_DISPLAYCHANGE), 2u);
}

TEST_F(DisplayModeMessages, APaletteDisplayAsksTheActivatedWindowForItsPaletteFirst)
{
    SetActiveWindow(other);
    ASSERT_EQ(change(640, 480, 8), DISP_CHANGE_SUCCESSFUL);
    rec.clear();
    SetActiveWindow(window);
    auto asked = rec.only(WM_QUERYNEWPALETTE);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].hwnd, window);
    EXPECT_TRUE(before(WM_QUERYNEWPALETTE, WM_ACTIVATE));

    // A realisation that changes the system palette tells every top-level
    // window, the realiser included; the same palette again tells nobody.
    struct {
        WORD version = 0x300, count = 2;
        PALETTEENTRY entries[2] = {{12, 34, 56, 0}, {78, 90, 12, 0}};
    } logical;
    HPALETTE palette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical));
    ASSERT_NE(palette, nullptr);
    HDC dc = GetDC(window);
    SelectPalette(dc, palette, FALSE);
    rec.clear();
    EXPECT_EQ(RealizePalette(dc), 2u);
    ASSERT_EQ(toldBoth(WM_PALETTECHANGED), 2u);
    for (const RecordedMessage& m : rec.only(WM_PALETTECHANGED))
        EXPECT_EQ(m.wParam, reinterpret_cast<WPARAM>(window));
    rec.clear();
    EXPECT_EQ(RealizePalette(dc), 2u);
    EXPECT_EQ(toldBoth(WM_PALETTECHANGED), 0u);
    ReleaseDC(window, dc);
    DeleteObject(palette);
}

TEST_F(DisplayModeMessages, ADisplayOfMoreColoursHasNoPaletteMessages)
{
    ASSERT_EQ(change(800, 600, 16), DISP_CHANGE_SUCCESSFUL);
    SetActiveWindow(other);
    SetActiveWindow(window);
    vtl::paletteRealized(window);
    EXPECT_EQ(toldBoth(WM_QUERYNEWPALETTE), 0u);
    EXPECT_EQ(toldBoth(WM_PALETTECHANGED), 0u);
}

} // namespace
