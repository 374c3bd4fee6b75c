// The pointer follows the picture: a game in full screen on a screen larger
// than its mode is scaled and letterboxed, and clicks made with xdotool where
// a game point is seen arrive at that game point; a click on a bar arrives
// nowhere.  The test command runs it on 1280x1024 and 1920x1080 screens,
// where the mode is shown at twice its size.  SetCursorPos puts the real
// pointer where its game point is seen.
#include <vantrel/bitplanefx.h>
#include <vantrel/dxwindow.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/cursor.h>
#include <vantrel/win32/window.h>

#include <SDL.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <vantrel/seam/window_backend.h>

extern "C" const char* __lsan_default_suppressions() { return "leak:*libdbus-1.so*\n"; }

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

std::vector<POINT> gPresses; // the game's window
int gButtonPresses = 0;      // its child window

LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
        ++gButtonPresses;
    else if (message == WM_LBUTTONDOWN)
        gPresses.push_back(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::string run(const std::string& command)
{
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p)
        return out;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, p))
        out += buffer;
    pclose(p);
    return out;
}

class ScaledInput : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display";
        if (run("command -v xdotool").empty())
            GTEST_SKIP() << "xdotool is not installed";
        if (std::string(vtl::videoBackendName()) != "sdl")
            GTEST_SKIP() << "the display could not be opened";
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
        if (!fullscreen) {
            POINT origin{0, 0};
            ClientToScreen(dxWindow.hwnd(), &origin);
            RECT onScreen{origin.x, origin.y, origin.x + kWidth, origin.y + kHeight};
            handle.gfxSetWindowRect(&onScreen);
        }
        std::memset(&frame, 0, sizeof frame);
        frame.format = handle.formatCode;
        frame.bitsPerPixel = handle.bitsPerPixel;
        frame.bytesPerPixel = handle.bytesPerPixel;
        ASSERT_TRUE(frame.create(kWidth, kHeight, false));
        handle.gfxClearSystemBuffer(&frame);
        showFrames(300);
    }

    // Full screen: the screen the picture is fitted to, and where the fit
    // puts it (whole multiples of the mode when one fits).
    void fitToScreen()
    {
        screenW = GetSystemMetrics(SM_CXSCREEN);
        screenH = GetSystemMetrics(SM_CYSCREEN);
        const int whole = std::min(screenW / kWidth, screenH / kHeight);
        scale = whole >= 1 ? whole : std::min(screenW / double(kWidth), screenH / double(kHeight));
        left = (screenW - static_cast<int>(kWidth * scale)) / 2;
        top = (screenH - static_cast<int>(kHeight * scale)) / 2;
    }

    // The X window of the game's window, found by its title.
    std::string xWindow()
    {
        std::string id = run("xdotool search --sync --name '^scaled input$' | head -n1");
        while (!id.empty() && (id.back() == '\n' || id.back() == '\r'))
            id.pop_back();
        return id;
    }

    void TearDown() override
    {
        unsetenv("VANTREL_SCALE");
        frame.release();
        handle.gfxEnd();
        dxWindow.destroy();
        dxWindow.unReg();
    }

    // Presents frames and dispatches messages for `milliseconds`.
    void showFrames(DWORD milliseconds)
    {
        const DWORD end = GetTickCount() + milliseconds;
        MSG msg;
        do {
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
        run("xdotool mousemove " + (xid.empty() ? "" : "--window " + xid + " ") + std::to_string(x) + " " +
            std::to_string(y) + " click 1");
        showFrames(250);
        return gPresses;
    }

    DXWindow dxWindow{GetModuleHandleA(nullptr), "VantrelScaledInput", "scaled input"};
    VTLHND handle;
    BITPLANEFX frame{};
    HWND button = nullptr;
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
        const int x = left + static_cast<int>((p.x + 0.5) * scale);
        const int y = top + static_cast<int>((p.y + 0.5) * scale);
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
    EXPECT_EQ(run("xdotool getwindowgeometry --shell " + xid + " | grep -E '^(WIDTH|HEIGHT)=' | tr '\\n' ' '"),
              "WIDTH=1280 HEIGHT=960 ");

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
    run("xdotool windowsize --sync " + xid + " 1000 600");
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

namespace {

// "X=..", "Y=.." lines of xdotool's shell output, as a point.
POINT shellPoint(const std::string& shell)
{
    POINT p{-1, -1};
    for (size_t at = 0; at < shell.size();) {
        size_t end = shell.find('\n', at);
        if (end == std::string::npos)
            end = shell.size();
        const std::string line = shell.substr(at, end - at);
        if (line.rfind("X=", 0) == 0)
            p.x = std::atoi(line.c_str() + 2);
        else if (line.rfind("Y=", 0) == 0)
            p.y = std::atoi(line.c_str() + 2);
        at = end + 1;
    }
    return p;
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
    const POINT window = shellPoint(run("xdotool getwindowgeometry --shell " + xid));
    POINT origin{0, 0};
    ASSERT_TRUE(ClientToScreen(dxWindow.hwnd(), &origin));
    EXPECT_EQ(origin.x, window.x);
    EXPECT_EQ(origin.y, window.y);
    const POINT points[] = {{0, 0}, {320, 240}, {639, 479}, {17, 401}};
    for (const POINT& p : points) {
        ASSERT_TRUE(SetCursorPos(origin.x + p.x, origin.y + p.y));
        const POINT real = shellPoint(run("xdotool getmouselocation --shell"));
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
        const POINT real = shellPoint(run("xdotool getmouselocation --shell"));
        EXPECT_NEAR(real.x, left + p.x * scale, 1) << "game point " << p.x << "," << p.y;
        EXPECT_NEAR(real.y, top + p.y * scale, 1) << "game point " << p.x << "," << p.y;
        showFrames(50);
        POINT seen{-1, -1};
        ASSERT_TRUE(GetCursorPos(&seen));
        EXPECT_EQ(seen.x, origin.x + p.x);
        EXPECT_EQ(seen.y, origin.y + p.y);
    }
}
