// A known frame (four coloured rectangles and a line of text) presented by
// the SDL display, read back from the X screen.
#include <vantrel/bitplanefx.h>
#include <vantrel/dxwindow.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/gdi_bitmaps.h>
#include <vantrel/win32/gdi_brushes.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

struct Box {
    int left, top, right, bottom;
    uint32_t rgb;
};
const Box kBoxes[] = {
    {20, 20, 150, 100, 0xFF0000},
    {170, 20, 300, 100, 0x00FF00},
    {20, 140, 150, 220, 0x0000FF},
    {170, 140, 300, 220, 0xFFFFFF},
};
// The text lies in the black band between the rows of boxes.
const Box kTextBand = {0, 101, kWidth, 139, 0};

uint32_t expectedAt(int x, int y)
{
    for (const Box& b : kBoxes)
        if (x >= b.left && x < b.right && y >= b.top && y < b.bottom)
            return b.rgb;
    return 0;
}

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    uint32_t at(int x, int y) const
    {
        const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    }
};

bool readPpm(const std::string& path, Image* image)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    int maxValue = 0;
    const bool header = std::fscanf(f, "P6 %d %d %d", &image->width, &image->height, &maxValue) == 3 &&
                        maxValue == 255 && std::fgetc(f) != EOF;
    image->rgb.resize(static_cast<size_t>(image->width) * image->height * 3);
    const bool body = header && std::fread(image->rgb.data(), 1, image->rgb.size(), f) == image->rgb.size();
    std::fclose(f);
    return body;
}

// Finds the frame by its red box, inside `area` of the screen: the top-left
// box starts 20 pixels into the frame on both axes and is 130 pixels wide.
// Only the area around a window is searched: what earlier windows showed may
// still be on the root window.
bool locate(const Image& shot, const RECT& area, POINT* origin, double* scale)
{
    const LONG top = std::max<LONG>(0, area.top), bottom = std::min<LONG>(shot.height, area.bottom);
    const LONG left = std::max<LONG>(0, area.left), right = std::min<LONG>(shot.width, area.right);
    for (LONG y = top; y < bottom; ++y)
        for (LONG x = left; x < right; ++x)
            if (shot.at(x, y) == 0xFF0000) {
                LONG end = x;
                while (end < shot.width && shot.at(end, y) == 0xFF0000)
                    ++end;
                *scale = (end - x) / 130.0;
                *origin = POINT{static_cast<LONG>(std::lround(x - 20 * *scale)),
                                static_cast<LONG>(std::lround(y - 20 * *scale))};
                return true;
            }
    return false;
}

// The centre of every box and the frame's corners, as a quick look.
bool looksRight(const Image& shot, POINT origin, double scale)
{
    auto at = [&](double x, double y) -> long {
        const LONG sx = origin.x + static_cast<LONG>(x * scale), sy = origin.y + static_cast<LONG>(y * scale);
        if (sx < 0 || sy < 0 || sx >= shot.width || sy >= shot.height)
            return -1;
        return static_cast<long>(shot.at(sx, sy));
    };
    for (const Box& b : kBoxes)
        if (at((b.left + b.right) / 2.0, (b.top + b.bottom) / 2.0) != static_cast<long>(b.rgb))
            return false;
    return at(1, 1) == 0 && at(kWidth - 2, 1) == 0 && at(1, kHeight - 2) == 0 && at(kWidth - 2, kHeight - 2) == 0;
}

LRESULT CALLBACK plainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

struct Case {
    bool fullscreen;
    unsigned depth;
    const char* desktop; // windowed depth comes from the desktop
};

std::string caseName(const testing::TestParamInfo<Case>& info)
{
    const bool bgr = std::strncmp(info.param.desktop, "bgr", 3) == 0;
    return std::string(info.param.fullscreen ? "FullScreen" : "Window") + std::to_string(info.param.depth) +
           (bgr ? "Bgr" : "");
}

class DisplayE2E : public testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display";
        setenv("VANTREL_DESKTOP", GetParam().desktop, 1);
        // The game's main window, made as a game makes it.
        ASSERT_TRUE(dxWindow.doReg(plainProcedure, 0, 0, 0));
        ASSERT_TRUE(dxWindow.createWindow(kWidth, kHeight));
        dxWindow.show(SW_SHOW);
        window = dxWindow.hwnd();
        font = CreateFontA(20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
    }
    void TearDown() override
    {
        // X keeps what a destroyed window showed on the root window: leave
        // black behind, so the next test sees only its own frame.
        if (handle.primary) {
            handle.ClearBackBuffer(0);
            handle.gfxSwapBuffers();
            pump(100);
        }
        frame.release();
        handle.gfxEnd();
        if (font)
            DeleteObject(font);
        dxWindow.destroy();
        dxWindow.unReg();
        pump(50);
    }

    void pump(DWORD milliseconds)
    {
        const DWORD end = GetTickCount() + milliseconds;
        MSG msg;
        do {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(10);
        } while (static_cast<LONG>(end - GetTickCount()) > 0);
    }

    void drawFrame()
    {
        std::memset(&frame, 0, sizeof frame);
        frame.format = handle.formatCode;
        frame.bitsPerPixel = handle.bitsPerPixel;
        frame.bytesPerPixel = handle.bytesPerPixel;
        ASSERT_TRUE(frame.create(kWidth, kHeight, false));
        handle.gfxClearSystemBuffer(&frame);
        for (const Box& b : kBoxes) {
            const unsigned long p = handle.packColor(static_cast<unsigned char>(b.rgb >> 16),
                                                     static_cast<unsigned char>(b.rgb >> 8),
                                                     static_cast<unsigned char>(b.rgb));
            for (int y = b.top; y < b.bottom; ++y)
                for (int x = b.left; x < b.right; ++x)
                    for (int i = 0; i < frame.bytesPerPixel; ++i)
                        frame.pixels[y * frame.pitch + x * frame.bytesPerPixel + i] =
                            static_cast<unsigned char>(p >> (8 * i));
        }
    }

    // Presents the frame a few times while the window settles on screen; in
    // full screen flipped as gfxSwapBuffers does (at the vertical blank) or
    // with DDFLIP_NOVSYNC.
    void present()
    {
        char text[] = "VANTREL";
        for (int i = 0; i < 8; ++i) {
            ASSERT_TRUE(handle.gfxCopyBackBuffer(&frame));
            ASSERT_TRUE(handle.gfxString(text, font, RGB(255, 255, 0), kWidth / 2, 108, 1));
            if (flipWithoutVsync && GetParam().fullscreen)
                ASSERT_EQ(handle.primary->Flip(nullptr, DDFLIP_NOVSYNC), DD_OK);
            else
                ASSERT_TRUE(handle.gfxSwapBuffers());
            pump(60);
        }
    }

    Image screenshot()
    {
        const std::string path = testing::TempDir() + "vantrel_display_e2e.ppm";
        std::remove(path.c_str());
        const std::string command = "import -window root -depth 8 " + path;
        Image image;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        EXPECT_TRUE(readPpm(path, &image)) << path;
        return image;
    }

    // Every screen pixel of the frame's area against the frame; in full
    // screen the frame is scaled by `scale` from `origin`, and the pixels on
    // a scaled edge are left out.  The text band must hold yellow text on
    // black.
    void check(const Image& shot, POINT origin, double scale)
    {
        int wrong = 0, yellow = 0;
        const int w = static_cast<int>(std::lround(kWidth * scale));
        const int h = static_cast<int>(std::lround(kHeight * scale));
        for (int sy = 0; sy < h; ++sy) {
            for (int sx = 0; sx < w; ++sx) {
                const int x = static_cast<int>(sx / scale), y = static_cast<int>(sy / scale);
                const int ex = static_cast<int>((sx + 1) / scale), ey = static_cast<int>((sy + 1) / scale);
                const int bx = static_cast<int>((sx - 1) / scale), by = static_cast<int>((sy - 1) / scale);
                if (expectedAt(ex, ey) != expectedAt(x, y) || expectedAt(bx, by) != expectedAt(x, y))
                    continue;
                if (origin.x + sx < 0 || origin.y + sy < 0 || origin.x + sx >= shot.width ||
                    origin.y + sy >= shot.height) {
                    ++wrong; // the frame runs off the screen
                    continue;
                }
                const uint32_t got = shot.at(origin.x + sx, origin.y + sy);
                if (y >= kTextBand.top && y < kTextBand.bottom) {
                    yellow += got == 0xFFFF00;
                    if ((got & 0xFF) != 0)
                        ++wrong; // no blue in yellow text on black
                    continue;
                }
                if (got != expectedAt(x, y) && wrong++ < 5)
                    ADD_FAILURE() << "screen (" << origin.x + sx << "," << origin.y + sy << ") frame (" << x << ","
                                  << y << "): " << std::hex << got << " instead of " << expectedAt(x, y);
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(yellow, 30 * scale * scale) << "the text line is missing";
    }

    // Starts the display, shows the frame until the screen settles and
    // checks every pixel of it; *at receives where the frame is.
    void showAndCheck(POINT* at = nullptr)
    {
        const Case& c = GetParam();
        handle.gfxSetup(window, kWidth, kHeight, static_cast<unsigned char>(c.depth));
        handle.Override();
        handle.isFullscreen = c.fullscreen;
        ASSERT_EQ(handle.gfxBegin(), 1);
        ASSERT_EQ(handle.bitsPerPixel, c.depth);
        pump(200);
        POINT origin{0, 0};
        if (!c.fullscreen) {
            ClientToScreen(window, &origin);
            RECT onScreen{origin.x, origin.y, origin.x + kWidth, origin.y + kHeight};
            handle.gfxSetWindowRect(&onScreen);
        }
        const POINT clientOrigin = origin;
        drawFrame();
        // What a window shows settles only after the X server has moved and
        // mapped it, which takes longer on a loaded machine: frames are shown
        // again until the screen looks right at a few points, then every pixel
        // is checked.
        const RECT searchArea = c.fullscreen ? RECT{0, 0, 1 << 20, 1 << 20}
                                             : RECT{origin.x - 40, origin.y - 40, origin.x + kWidth + 40,
                                                    origin.y + kHeight + 40};
        Image shot;
        double scale = 0;
        for (int attempt = 0; attempt < 6; ++attempt) {
            present();
            shot = screenshot();
            ASSERT_GT(shot.width, 0);
            if (locate(shot, searchArea, &origin, &scale) && looksRight(shot, origin, scale))
                break;
        }
        ASSERT_GT(scale, 0) << "no frame on the screen";
        if (c.fullscreen) {
            // The mode fills the screen's width or height, keeping its aspect.
            const double fit =
                std::min(shot.width / static_cast<double>(kWidth), shot.height / static_cast<double>(kHeight));
            EXPECT_NEAR(scale, fit, 0.01);
            EXPECT_EQ(shot.at(shot.width / 2, 0), 0u) << "letterbox above the frame";
        } else {
            EXPECT_EQ(scale, 1.0);
            // The frame is where the window system says the client area is.
            EXPECT_EQ(origin.x, clientOrigin.x);
            EXPECT_EQ(origin.y, clientOrigin.y);
        }
        check(shot, origin, scale);
        if (at)
            *at = origin;
    }

    DXWindow dxWindow{GetModuleHandleA(nullptr), "VantrelDisplayE2E", "display e2e"};
    HWND window = nullptr;
    HFONT font = nullptr;
    VTLHND handle;
    BITPLANEFX frame{};
    bool flipWithoutVsync = false;
};

TEST_P(DisplayE2E, ShowsTheFrameExactly) { showAndCheck(); }

// The cases that flip (full screen only), one that waits for the vertical
// blank and one that draws text into a window: each runs on the cases it
// concerns, not skipped on the rest.
class FullScreenE2E : public DisplayE2E {};
class VerticalBlankE2E : public DisplayE2E {};
class WindowTextE2E : public DisplayE2E {};

TEST_P(FullScreenE2E, AFlipThatDoesNotWaitForTheVerticalBlankShowsTheSameFrame)
{
    flipWithoutVsync = true;
    showAndCheck();
}

// A flip that asks for the vertical blank waits for it: under Xvfb (and on
// any screen up to 100 Hz) twenty of them take at least 200 ms.  Only the
// lower bound is checked; a loaded machine can only make them slower.
TEST_P(VerticalBlankE2E, AFlipAskingForTheVerticalBlankWaitsForIt)
{
    showAndCheck();
    if (HasFatalFailure())
        return;
    const DWORD start = GetTickCount();
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(handle.primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_GE(GetTickCount() - start, 200u);
}

// GDI drawing into the game's window lands over the frame on the screen,
// which stays around it, until the next frame.
TEST_P(WindowTextE2E, TextDrawnIntoTheWindowLandsOverTheFrame)
{
    POINT origin{0, 0};
    showAndCheck(&origin);
    if (HasFatalFailure())
        return;
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 0, 255));
    const char text[] = "WWWW";
    ASSERT_TRUE(TextOutA(dc, 180, 150, text, 4)); // inside the white box
    ReleaseDC(window, dc);
    pump(100);
    const Image shot = screenshot();
    int magenta = 0;
    for (int y = 140; y < 220; ++y)
        for (int x = 170; x < 300; ++x)
            magenta += shot.at(origin.x + x, origin.y + y) == 0xFF00FF;
    EXPECT_GT(magenta, 30) << "the text is missing";
    for (const Box& b : kBoxes) {
        if (b.rgb == 0xFFFFFF)
            continue;
        EXPECT_EQ(shot.at(origin.x + (b.left + b.right) / 2, origin.y + (b.top + b.bottom) / 2), b.rgb)
            << "the frame under the text is gone";
    }
}

// A block from a memory bitmap shows in the window as soon as it is copied
// there, and a block copied out of the window holds the frame's colours.
TEST_P(WindowTextE2E, BlocksCopyIntoAndOutOfTheWindow)
{
    POINT origin{0, 0};
    showAndCheck(&origin);
    if (HasFatalFailure())
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, dib);
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    ASSERT_TRUE(BitBlt(memory, 0, 0, kWidth, kHeight, dc, 0, 0, SRCCOPY));
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    for (const Box& b : kBoxes)
        EXPECT_EQ(pixels[(b.top + b.bottom) / 2 * kWidth + (b.left + b.right) / 2], b.rgb);

    HBRUSH cyan = CreateSolidBrush(RGB(0, 255, 255));
    RECT square = {0, 0, 40, 40};
    FillRect(memory, &square, cyan);
    ASSERT_TRUE(BitBlt(dc, 180, 150, 40, 40, memory, 0, 0, SRCCOPY));
    pump(100);
    const Image shot = screenshot();
    EXPECT_EQ(shot.at(origin.x + 200, origin.y + 170), 0x00FFFFu) << "shown before ReleaseDC";
    EXPECT_EQ(shot.at(origin.x + 230, origin.y + 200), 0xFFFFFFu) << "the box around it is kept";
    ReleaseDC(window, dc);
    SelectObject(memory, previous);
    DeleteObject(dib);
    DeleteDC(memory);
    DeleteObject(cyan);
}

const Case kWindowed[] = {{false, 8, "pal8"}, {false, 16, "rgb565"}, {false, 32, "rgb32"}, {false, 32, "bgr32"}};
const Case kFullScreen[] = {{true, 8, "rgb32"}, {true, 16, "rgb32"}, {true, 24, "rgb32"}, {true, 32, "rgb32"}};

INSTANTIATE_TEST_SUITE_P(Windowed, DisplayE2E, testing::ValuesIn(kWindowed), caseName);
INSTANTIATE_TEST_SUITE_P(FullScreen, DisplayE2E, testing::ValuesIn(kFullScreen), caseName);
INSTANTIATE_TEST_SUITE_P(Depths, FullScreenE2E, testing::ValuesIn(kFullScreen), caseName);
INSTANTIATE_TEST_SUITE_P(Depth16, VerticalBlankE2E, testing::Values(kFullScreen[1]), caseName);
INSTANTIATE_TEST_SUITE_P(Depth16, WindowTextE2E, testing::Values(kWindowed[1]), caseName);

} // namespace
