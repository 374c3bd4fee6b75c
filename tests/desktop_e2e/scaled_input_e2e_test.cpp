// The pointer follows the picture: a game in full screen on a screen larger
// than its mode is scaled and letterboxed, and clicks made with xdotool where
// a game point is seen arrive at that game point; a click on a bar arrives
// nowhere.  The test command runs it on 1280x1024 and 1920x1080 screens,
// where the mode is shown at twice its size.
#include <vantrel/bitplanefx.h>
#include <vantrel/dxwindow.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/window.h>

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

std::vector<POINT> gPresses;

LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN)
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
        ASSERT_TRUE(dxWindow.doReg(recordingProc, 0, 0, 0));
        ASSERT_TRUE(dxWindow.createWindow(kWidth, kHeight));
        dxWindow.show(SW_SHOW);
        handle.gfxSetup(dxWindow.hwnd(), kWidth, kHeight, 16);
        handle.Override();
        handle.isFullscreen = true;
        ASSERT_EQ(handle.gfxBegin(), 1);
        std::memset(&frame, 0, sizeof frame);
        frame.format = handle.formatCode;
        frame.bitsPerPixel = handle.bitsPerPixel;
        frame.bytesPerPixel = handle.bytesPerPixel;
        ASSERT_TRUE(frame.create(kWidth, kHeight, false));
        handle.gfxClearSystemBuffer(&frame);
        // The screen the picture is fitted to, and where the fit puts it.
        screenW = GetSystemMetrics(SM_CXSCREEN);
        screenH = GetSystemMetrics(SM_CYSCREEN);
        const int whole = std::min(screenW / kWidth, screenH / kHeight);
        scale = whole >= 1 ? whole : std::min(screenW / double(kWidth), screenH / double(kHeight));
        left = (screenW - static_cast<int>(kWidth * scale)) / 2;
        top = (screenH - static_cast<int>(kHeight * scale)) / 2;
        showFrames(300);
    }
    void TearDown() override
    {
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

    // Clicks the screen at (x, y) and returns the presses the game got.
    std::vector<POINT> clickAt(int x, int y)
    {
        gPresses.clear();
        run("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
        showFrames(250);
        return gPresses;
    }

    DXWindow dxWindow{GetModuleHandleA(nullptr), "VantrelScaledInput", "scaled input"};
    VTLHND handle;
    BITPLANEFX frame{};
    int screenW = 0, screenH = 0, left = 0, top = 0;
    double scale = 1;
};

TEST_F(ScaledInput, FullScreenClicksArriveAtTheGamePointsSeen)
{
    ASSERT_GE(scale, 1.0) << "the screen is meant to be larger than the mode";
    const POINT points[] = {{0, 0}, {320, 240}, {639, 479}, {17, 401}, {600, 31}};
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

} // namespace
