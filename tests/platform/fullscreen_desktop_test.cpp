// A full-screen mode is the game's screen: while the display device holds
// one, the desktop, the metrics and the exclusive window are the mode's
// size, whatever the real screen is; restoring the mode (or letting the
// display object go) gives the desktop back.
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/window.h>

#include "platform/user/video_backend.h"
#include "support/window_recorder.h"

#include <gtest/gtest.h>

namespace {

class FullScreenDesktop : public testing::Test {
protected:
    void SetUp() override
    {
        real = vtl::desktop();
        window = recorder.create(WS_POPUP | WS_VISIBLE, 0, 0, real.width, real.height);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
        ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
        WindowRecorder::drain();
        recorder.clear();
    }
    void TearDown() override
    {
        if (dd)
            dd->Release();
        DestroyWindow(window);
    }

    // What the game can learn of its screen, as one rectangle each.
    static RECT screen() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }
    static RECT workArea()
    {
        RECT r{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
        return r;
    }
    RECT client() const
    {
        RECT r{};
        GetClientRect(window, &r);
        return r;
    }
    RECT outer() const
    {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
    // The last WM_SIZE or WM_DISPLAYCHANGE, as a size.
    SIZE last(UINT message) const
    {
        const auto seen = recorder.only(message, window);
        if (seen.empty())
            return SIZE{-1, -1};
        return SIZE{LOWORD(seen.back().lParam), HIWORD(seen.back().lParam)};
    }

    WindowRecorder recorder;
    vtl::Desktop real{};
    HWND window = nullptr;
    IDirectDraw* dd = nullptr;
};

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }

TEST_F(FullScreenDesktop, TheModeIsTheScreenTheGameSeesUntilItIsRestored)
{
    ASSERT_NE(real.width, 640) << "the headless screen is meant to differ from the mode";
    ASSERT_EQ(dd->SetDisplayMode(640, 480, 16), DD_OK);
    WindowRecorder::drain();
    const RECT mode{0, 0, 640, 480};
    EXPECT_TRUE(client() == mode);
    EXPECT_TRUE(outer() == mode);
    EXPECT_TRUE(screen() == mode);
    EXPECT_TRUE(workArea() == mode) << "no panel on a full-screen mode";
    EXPECT_EQ(vtl::desktop().width, 640);
    EXPECT_TRUE(last(WM_SIZE) == (SIZE{640, 480}));
    EXPECT_TRUE(last(WM_DISPLAYCHANGE) == (SIZE{640, 480}));
    // A window the game makes now is placed on the mode's screen.
    HWND other = recorder.create(WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
    RECT placed{};
    GetWindowRect(other, &placed);
    EXPECT_EQ(placed.right - placed.left, 640 * 3 / 4);
    DestroyWindow(other);

    // Another mode on the same object.
    ASSERT_EQ(dd->SetDisplayMode(800, 600, 16), DD_OK);
    WindowRecorder::drain();
    EXPECT_TRUE(client() == (RECT{0, 0, 800, 600}));
    EXPECT_TRUE(screen() == (RECT{0, 0, 800, 600}));

    recorder.clear();
    ASSERT_EQ(dd->RestoreDisplayMode(), DD_OK);
    WindowRecorder::drain();
    EXPECT_TRUE(screen() == (RECT{0, 0, real.width, real.height}));
    EXPECT_TRUE(workArea() == real.workArea);
    EXPECT_TRUE(last(WM_DISPLAYCHANGE) == (SIZE{real.width, real.height}));
    EXPECT_TRUE(client() == (RECT{0, 0, 800, 600})) << "the game places its window again itself";
}

TEST_F(FullScreenDesktop, LettingTheDisplayGoGivesTheDesktopBack)
{
    ASSERT_EQ(dd->SetDisplayMode(640, 480, 8), DD_OK);
    // A second display object made during the mode sees the mode's desktop,
    // and the mode stays while the first still holds it.
    IDirectDraw* second = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &second, nullptr), DD_OK);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(second->GetDisplayMode(&desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, 640u);
    EXPECT_EQ(desc.dwHeight, 480u);
    second->Release();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);

    dd->Release();
    dd = nullptr;
    EXPECT_TRUE(screen() == (RECT{0, 0, real.width, real.height}));
}

TEST_F(FullScreenDesktop, OnlyAFramelessTopLevelWindowOverTheWholeModeCoversIt)
{
    auto covers = [](HWND hwnd) {
        vtl::WindowRef w = vtl::lookupWindow(hwnd);
        return w && vtl::coversTheModeScreen(*w);
    };
    EXPECT_FALSE(covers(window)) << "no mode is set";
    ASSERT_EQ(dd->SetDisplayMode(640, 480, 16), DD_OK);
    EXPECT_TRUE(covers(window));

    HWND framed = recorder.create(WS_OVERLAPPEDWINDOW, 0, 0, 640, 480);
    HWND smaller = recorder.create(WS_POPUP, 0, 0, 320, 480);
    HWND child = recorder.create(WS_CHILD, 0, 0, 640, 480, window);
    EXPECT_FALSE(covers(framed));
    EXPECT_FALSE(covers(smaller));
    EXPECT_FALSE(covers(child));
    // The game moving its window off the screen's corner ends its cover.
    MoveWindow(window, 10, 0, 640, 480, TRUE);
    EXPECT_FALSE(covers(window));
    MoveWindow(window, 0, 0, 640, 480, TRUE);
    EXPECT_TRUE(covers(window));

    ASSERT_EQ(dd->RestoreDisplayMode(), DD_OK);
    EXPECT_FALSE(covers(window));
    for (HWND h : {child, smaller, framed})
        DestroyWindow(h);
}

} // namespace
