// The pointer follows the picture: a game in full screen on a screen larger
// than its mode is scaled and letterboxed, and clicks made with xdotool where
// a game point is seen arrive at that game point; a click on a bar arrives
// nowhere.  The test command runs it on 1280x1024 and 1920x1080 screens,
// where the mode is shown at twice its size.  In full screen the game sees
// the mode as its screen; in a window scaled by VANTREL_SCALE (a number, or
// auto) it keeps its own client size.  Image buttons are pressed where they
// are seen.  SetCursorPos puts the real pointer where its game point is
// seen.
#include <vantrel/bitplanefx.h>
#include <vantrel/buttons.h>
#include <vantrel/dxwindow.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/cursor.h>
#include <vantrel/win32/window.h>
#include <vantrel/win32/windowsx.h>

#include <SDL.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/button_faces.h"
#include "support/x_desktop.h"

extern "C" const char* __lsan_default_suppressions() { return "leak:*libdbus-1.so*\n"; }

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

std::vector<POINT> gPresses;  // the game's window
int gButtonPresses = 0;       // its plain child window
std::vector<WPARAM> gCommands; // WM_COMMAND from its image buttons
SIZE gClientSize{0, 0};        // the last WM_SIZE

LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool child = (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) != 0;
    if (message == WM_LBUTTONDOWN && child)
        ++gButtonPresses;
    else if (message == WM_LBUTTONDOWN)
        gPresses.push_back(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    else if (message == WM_COMMAND)
        gCommands.push_back(wParam);
    else if (message == WM_SIZE && !child && wParam != SIZE_MINIMIZED)
        gClientSize = SIZE{LOWORD(lParam), HIWORD(lParam)};
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class ScaledInput : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = whyNoRealDesktop();
        if (!why.empty())
            GTEST_SKIP() << why;
    }

    // Opens the game's window and its display (full screen or windowed),
    // and shows a few frames.
    void begin(bool fullscreen)
    {
        ASSERT_TRUE(dxWindow.doReg(recordingProc, 0, 0, 0));
        ASSERT_TRUE(dxWindow.createWindow(kWidth, kHeight));
        dxWindow.show(SW_SHOW);
        // A child window where the game draws a button: (100, 200) to
        // (160, 230) of the client area.
        button = CreateWindowExA(0, "VantrelScaledInput", "button", WS_CHILD | WS_VISIBLE, 100, 200, 60, 30,
                                 dxWindow.hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(button, nullptr);
        handle.gfxSetup(dxWindow.hwnd(), kWidth, kHeight, 16);
        handle.Override();
        handle.isFullscreen = fullscreen;
        ASSERT_EQ(handle.gfxBegin(), 1);
        windowed = !fullscreen;
        std::memset(&frame, 0, sizeof frame);
        frame.format = handle.formatCode;
        frame.bitsPerPixel = handle.bitsPerPixel;
        frame.bytesPerPixel = handle.bytesPerPixel;
        ASSERT_TRUE(frame.create(kWidth, kHeight, false));
        handle.gfxClearSystemBuffer(&frame);
        showFrames(300);
    }

    // Full screen: the real screen the picture is fitted to, and where the
    // fit puts it (whole multiples of the mode when one fits).
    void fitToScreen()
    {
        const SIZE real = xScreenSize();
        screenW = real.cx;
        screenH = real.cy;
        const int whole = std::min(screenW / kWidth, screenH / kHeight);
        scale = whole >= 1 ? whole : std::min(screenW / double(kWidth), screenH / double(kHeight));
        left = (screenW - static_cast<int>(kWidth * scale)) / 2;
        top = (screenH - static_cast<int>(kHeight * scale)) / 2;
    }

    // Where the fitted picture shows a game point: the middle of its square.
    POINT seenAt(POINT game) const
    {
        return POINT{left + static_cast<int>((game.x + 0.5) * scale), top + static_cast<int>((game.y + 0.5) * scale)};
    }

    // An image button whose faces are a green shape (button_faces.h) drawn
    // into the frame at (x, y) of the client area; its shape's opaque part
    // is (x + 30, y + 10) to (x + 80, y + 40).
    HWND addImageButton(unsigned short id, int x, int y)
    {
        const uint32_t green = static_cast<uint32_t>(handle.packColor(0, 255, 0));
        for (RLEFX& face : faces) {
            std::memset(&face, 0, sizeof face);
            if (!buttontest::makeFace(face, handle.bitsPerPixel, green))
                return nullptr;
        }
        RECT rect{x, y, x + buttontest::kWidth - 1, y + buttontest::kHeight - 1};
        HWND b = VTLCreateRLEButton(&handle, GetModuleHandleA(nullptr), id, nullptr, &rect, &faces[0], &faces[1],
                                    &faces[2], &frame);
        if (b)
            imageButtons.push_back(b);
        return b;
    }

    // The X window of the game's window, found by its title.
    std::string xWindow() { return xWindowTitled("scaled input"); }

    void TearDown() override
    {
        unsetenv("VANTREL_SCALE");
        for (HWND b : imageButtons)
            DestroyButton(b, GetModuleHandleA(nullptr));
        for (RLEFX& face : faces)
            face.release();
        frame.release();
        handle.gfxEnd();
        dxWindow.destroy();
        dxWindow.unReg();
    }

    // Presents frames, with the image buttons drawn on them, and dispatches
    // messages for `milliseconds`.
    void showFrames(DWORD milliseconds)
    {
        const DWORD end = GetTickCount() + milliseconds;
        MSG msg;
        do {
            if (windowed) {
                // Where the window is now, as a game learns it from WM_MOVE
                // (the screen may place a scaled window in the work area).
                POINT origin{0, 0};
                ClientToScreen(dxWindow.hwnd(), &origin);
                RECT onScreen{origin.x, origin.y, origin.x + kWidth, origin.y + kHeight};
                handle.gfxSetWindowRect(&onScreen);
            }
            for (HWND b : imageButtons)
                DrawRLEButton(b);
            handle.gfxCopyBackBuffer(&frame);
            handle.gfxSwapBuffers();
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            usleep(15000);
        } while (static_cast<LONG>(end - GetTickCount()) > 0);
    }

    // Clicks the screen (or, with `xid`, that X window) at (x, y) and
    // returns the presses the game's window got.
    std::vector<POINT> clickAt(int x, int y, const std::string& xid = "")
    {
        gPresses.clear();
        gButtonPresses = 0;
        gCommands.clear();
        xClick(x, y, xid);
        showFrames(250);
        return gPresses;
    }

    DXWindow dxWindow{GetModuleHandleA(nullptr), "VantrelScaledInput", "scaled input"};
    VTLHND handle;
    BITPLANEFX frame{};
    HWND button = nullptr;
    RLEFX faces[3]{};
    std::vector<HWND> imageButtons;
    bool windowed = false;
    int screenW = 0, screenH = 0, left = 0, top = 0;
    double scale = 1;
};

TEST_F(ScaledInput, FullScreenClicksArriveAtTheGamePointsSeen)
{
    begin(true);
    fitToScreen();
    ASSERT_GE(scale, 1.0) << "the screen is meant to be larger than the mode";
    const POINT points[] = {{0, 0}, {320, 240}, {639, 479}, {17, 401}, {600, 31}};
    // (The child window at (100, 200) - (160, 230) is clear of them.)
    for (const POINT& p : points) {
        const int x = seenAt(p).x, y = seenAt(p).y;
        const std::vector<POINT> got = clickAt(x, y);
        ASSERT_EQ(got.size(), 1u) << "game point " << p.x << "," << p.y << " clicked at " << x << "," << y;
        EXPECT_NEAR(got[0].x, p.x, 1) << "clicked at screen " << x << "," << y;
        EXPECT_NEAR(got[0].y, p.y, 1) << "clicked at screen " << x << "," << y;
    }
}

TEST_F(ScaledInput, AClickOnALetterboxBarArrivesNowhere)
{
    begin(true);
    fitToScreen();
    // 1920x1080 shows the mode twice its size with bars at the sides (and
    // above and below); 1280x1024 with bars above and below.
    ASSERT_TRUE(left > 2 || top > 2) << "no bar on a " << screenW << "x" << screenH << " screen";
    if (left > 2) {
        EXPECT_TRUE(clickAt(left / 2, screenH / 2).empty());
        EXPECT_TRUE(clickAt(screenW - 1 - left / 2, screenH / 2).empty());
    }
    if (top > 2) {
        EXPECT_TRUE(clickAt(screenW / 2, top / 2).empty());
        EXPECT_TRUE(clickAt(screenW / 2, screenH - 1 - top / 2).empty());
    }
    // The picture itself still answers.
    EXPECT_EQ(clickAt(screenW / 2, screenH / 2).size(), 1u);
}

TEST_F(ScaledInput, AWindowScaledTwiceAndThenResizedKeepsClicksOnTheGamePoints)
{
    setenv("VANTREL_SCALE", "2", 1);
    begin(false);
    RECT client;
    GetClientRect(dxWindow.hwnd(), &client);
    EXPECT_EQ(client.right, kWidth) << "the game keeps its own size";
    EXPECT_EQ(client.bottom, kHeight);
    const std::string xid = xWindow();
    ASSERT_FALSE(xid.empty());
    EXPECT_EQ(xGeometry(xid).width, 2 * kWidth);
    EXPECT_EQ(xGeometry(xid).height, 2 * kHeight);

    const POINT points[] = {{0, 0}, {320, 240}, {639, 479}, {17, 401}};
    for (const POINT& p : points) {
        const std::vector<POINT> got = clickAt(2 * p.x + 1, 2 * p.y + 1, xid);
        ASSERT_EQ(got.size(), 1u) << "game point " << p.x << "," << p.y;
        EXPECT_NEAR(got[0].x, p.x, 1);
        EXPECT_NEAR(got[0].y, p.y, 1);
    }
    // The child window is pressed where it is seen, not where it would be
    // at 1:1 (that spot is game point (65, 107), on the parent).
    EXPECT_TRUE(clickAt(2 * 130, 2 * 215, xid).empty());
    EXPECT_EQ(gButtonPresses, 1);
    EXPECT_EQ(clickAt(130, 215, xid).size(), 1u);
    EXPECT_EQ(gButtonPresses, 0);

    // The player makes the window wider and lower: the picture keeps its
    // aspect, fills the height and stands between bars at the sides.
    runCommand("xdotool windowsize --sync " + xid + " 1000 600");
    showFrames(500);
    GetClientRect(dxWindow.hwnd(), &client);
    EXPECT_EQ(client.right, kWidth) << "resizing the picture does not resize the game";
    const double s = 600.0 / kHeight; // 1.25
    const int barLeft = (1000 - static_cast<int>(kWidth * s)) / 2;
    for (const POINT& p : points) {
        const int x = barLeft + static_cast<int>((p.x + 0.5) * s), y = static_cast<int>((p.y + 0.5) * s);
        const std::vector<POINT> got = clickAt(x, y, xid);
        ASSERT_EQ(got.size(), 1u) << "game point " << p.x << "," << p.y << " at " << x << "," << y;
        EXPECT_NEAR(got[0].x, p.x, 1);
        EXPECT_NEAR(got[0].y, p.y, 1);
    }
    EXPECT_TRUE(clickAt(barLeft / 2, 300, xid).empty()) << "a press on a bar";
}

} // namespace

// SetCursorPos puts the real pointer on the screen pixel showing the game
// point, in a scaled window as in full screen; GetCursorPos gives the game
// point back; ShowCursor's counter hides the pointer below 0.
TEST_F(ScaledInput, SetCursorPosPutsThePointerWhereTheGamePointIsSeen)
{
    setenv("VANTREL_SCALE", "2", 1);
    begin(false);
    const std::string xid = xWindow();
    ASSERT_FALSE(xid.empty());
    // The window twice the game's size is kept inside the work area; once
    // the screen has settled, the game's window is where it is shown.
    showFrames(500);
    const XRect window = xGeometry(xid);
    POINT origin{0, 0};
    ASSERT_TRUE(ClientToScreen(dxWindow.hwnd(), &origin));
    EXPECT_EQ(origin.x, window.x);
    EXPECT_EQ(origin.y, window.y);
    const POINT points[] = {{0, 0}, {320, 240}, {639, 479}, {17, 401}};
    for (const POINT& p : points) {
        ASSERT_TRUE(SetCursorPos(origin.x + p.x, origin.y + p.y));
        const POINT real = xPointer();
        EXPECT_EQ(real.x, window.x + 2 * p.x) << "game point " << p.x << "," << p.y;
        EXPECT_EQ(real.y, window.y + 2 * p.y) << "game point " << p.x << "," << p.y;
        POINT seen{-1, -1};
        ASSERT_TRUE(GetCursorPos(&seen));
        EXPECT_EQ(seen.x, origin.x + p.x);
        EXPECT_EQ(seen.y, origin.y + p.y);
        showFrames(50);
        ASSERT_TRUE(GetCursorPos(&seen));
        EXPECT_EQ(seen.x, origin.x + p.x) << "after the pointer's own events";
        EXPECT_EQ(seen.y, origin.y + p.y) << "after the pointer's own events";
    }

    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST_F(ScaledInput, SetCursorPosInFullScreenLandsOnThePicture)
{
    begin(true);
    fitToScreen();
    POINT origin{0, 0};
    ASSERT_TRUE(ClientToScreen(dxWindow.hwnd(), &origin));
    const POINT points[] = {{0, 0}, {320, 240}, {639, 479}, {600, 31}};
    for (const POINT& p : points) {
        ASSERT_TRUE(SetCursorPos(origin.x + p.x, origin.y + p.y));
        const POINT real = xPointer();
        EXPECT_NEAR(real.x, left + p.x * scale, 1) << "game point " << p.x << "," << p.y;
        EXPECT_NEAR(real.y, top + p.y * scale, 1) << "game point " << p.x << "," << p.y;
        showFrames(50);
        POINT seen{-1, -1};
        ASSERT_TRUE(GetCursorPos(&seen));
        EXPECT_EQ(seen.x, origin.x + p.x);
        EXPECT_EQ(seen.y, origin.y + p.y);
    }
}

namespace {

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Mostly green, as a 16-bit green face comes out on the screen.
bool isGreen(long rgb) { return rgb >= 0 && ((rgb >> 8) & 0xFF) >= 0xC0 && (rgb >> 16) < 0x40 && (rgb & 0xFF) < 0x40; }

} // namespace

// The mode is the game's screen: its window, client area, WM_SIZE and the
// screen metrics are the mode's size, while the real window covers the real
// screen; leaving full screen gives the real screen back.
TEST_F(ScaledInput, InFullScreenTheGameSeesTheModeAsItsScreen)
{
    begin(true);
    const SIZE real = xScreenSize();
    ASSERT_GT(real.cx, kWidth) << "the screen is meant to be larger than the mode";
    const RECT mode{0, 0, kWidth, kHeight};
    RECT client{}, outer{}, work{};
    ASSERT_TRUE(GetClientRect(dxWindow.hwnd(), &client));
    ASSERT_TRUE(GetWindowRect(dxWindow.hwnd(), &outer));
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_TRUE(sameRect(client, mode)) << client.right << "x" << client.bottom;
    EXPECT_TRUE(sameRect(outer, mode)) << outer.right << "x" << outer.bottom;
    EXPECT_TRUE(sameRect(work, mode)) << work.right << "x" << work.bottom;
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), kWidth);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), kHeight);
    EXPECT_EQ(gClientSize.cx, kWidth);
    EXPECT_EQ(gClientSize.cy, kHeight);
    const std::string xid = xWindow();
    ASSERT_FALSE(xid.empty());
    EXPECT_TRUE(xGeometry(xid) == (XRect{0, 0, real.cx, real.cy})) << "the real window covers the real screen";

    handle.gfxEnd();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), real.cx);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), real.cy);
}

// An image button is pressed by clicking where it is seen: its parent gets
// the button's WM_COMMAND, and nothing comes of a click where the button
// would be at 1:1 or on its transparent corner.
TEST_F(ScaledInput, AnImageButtonInFullScreenIsPressedWhereItIsSeen)
{
    begin(true);
    fitToScreen();
    ASSERT_NE(addImageButton(7, 300, 300), nullptr);
    showFrames(300);
    const POINT shape = seenAt(POINT{355, 325});
    EXPECT_TRUE(isGreen(xPixel(shape.x, shape.y))) << std::hex << xPixel(shape.x, shape.y);

    EXPECT_TRUE(clickAt(shape.x, shape.y).empty()) << "the parent is not pressed";
    EXPECT_EQ(gCommands, std::vector<WPARAM>{7});

    const POINT corner = seenAt(POINT{305, 303});
    EXPECT_TRUE(clickAt(corner.x, corner.y).empty());
    EXPECT_TRUE(gCommands.empty()) << "a transparent pixel of the button";
    clickAt(355, 325);
    EXPECT_TRUE(gCommands.empty()) << "where the button would be unscaled";
}

TEST_F(ScaledInput, AnImageButtonInAWindowScaledTwiceIsPressedWhereItIsSeen)
{
    setenv("VANTREL_SCALE", "2", 1);
    begin(false);
    const std::string xid = xWindow();
    ASSERT_FALSE(xid.empty());
    ASSERT_NE(addImageButton(8, 300, 300), nullptr);
    showFrames(500);
    const XRect window = xGeometry(xid);
    EXPECT_TRUE(isGreen(xPixel(window.x + 2 * 355 + 1, window.y + 2 * 325 + 1)))
        << std::hex << xPixel(window.x + 2 * 355 + 1, window.y + 2 * 325 + 1);

    EXPECT_TRUE(clickAt(2 * 355 + 1, 2 * 325 + 1, xid).empty());
    EXPECT_EQ(gCommands, std::vector<WPARAM>{8});
    EXPECT_EQ(clickAt(355, 325, xid).size(), 1u) << "unscaled, the spot is the parent's";
    EXPECT_TRUE(gCommands.empty());
}

// VANTREL_SCALE=auto opens the window at the largest whole multiple of its
// client size that fits the work area with the window's frame (4 pixels
// each side and a 19-pixel caption) around it.  A bare X server has no
// panel, so the work area is the screen: 640x480 opens at x2 on 1920x1080
// (x3 would be 1440 tall) and at x1 on 1280x1024 (x2 is 1280 wide before
// the frame).
TEST_F(ScaledInput, AutoScaleOpensTheLargestWholeMultipleThatFitsAndClicksFollowIt)
{
    setenv("VANTREL_SCALE", "auto", 1);
    begin(false);
    const SIZE real = xScreenSize();
    int expected = 1;
    while ((expected + 1) * kWidth + 8 <= real.cx && (expected + 1) * kHeight + 27 <= real.cy)
        ++expected;
    if (real.cx == 1920 && real.cy == 1080) {
        EXPECT_EQ(expected, 2);
    } else if (real.cx == 1280 && real.cy == 1024) {
        EXPECT_EQ(expected, 1);
    }

    const std::string xid = xWindow();
    ASSERT_FALSE(xid.empty());
    const XRect window = xGeometry(xid);
    EXPECT_EQ(window.width, expected * kWidth);
    EXPECT_EQ(window.height, expected * kHeight);
    if (expected > 1) {
        // Grown from where the game centred it, the window is kept on the
        // screen with the frame the multiple left room for.
        EXPECT_GE(window.x, 4);
        EXPECT_GE(window.y, 23);
        EXPECT_LE(window.x + window.width, real.cx - 4);
        EXPECT_LE(window.y + window.height, real.cy - 4);
    }
    RECT client{};
    GetClientRect(dxWindow.hwnd(), &client);
    EXPECT_EQ(client.right, kWidth) << "the game keeps its own size";
    EXPECT_EQ(client.bottom, kHeight);
    EXPECT_EQ(gClientSize.cx, kWidth);

    const POINT points[] = {{0, 0}, {320, 240}, {639, 479}, {17, 401}};
    for (const POINT& p : points) {
        const std::vector<POINT> got = clickAt(expected * p.x + expected / 2, expected * p.y + expected / 2, xid);
        ASSERT_EQ(got.size(), 1u) << "game point " << p.x << "," << p.y;
        EXPECT_NEAR(got[0].x, p.x, 1);
        EXPECT_NEAR(got[0].y, p.y, 1);
    }
}
