// The picture of a scaled window: where the game's pixels go on the screen,
// and which game pixel a pointer over them is on.
#include "platform/backends/sdl/sdl_picture.h"

#include <SDL.h>
#include <gtest/gtest.h>

// Under LeakSanitizer: the system's D-Bus library, which SDL's video start-up
// loads, keeps a buffer for the life of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:*libdbus-1.so*\n"; }

TEST(SdlPicture, FullScreenTakesTheLargestWholeMultipleAndWindowsTheExactFit)
{
    // 640x480 on 1920x1080: twice its size (not 2.25), centred.
    SDL_Rect r = vtl::fitPicture(640, 480, 1920, 1080, true);
    EXPECT_EQ(r.x, 320);
    EXPECT_EQ(r.y, 60);
    EXPECT_EQ(r.w, 1280);
    EXPECT_EQ(r.h, 960);
    // No whole multiple fits: the exact fit, aspect kept.
    r = vtl::fitPicture(1024, 768, 1280, 720, true);
    EXPECT_EQ(r.w, 960);
    EXPECT_EQ(r.h, 720);
    EXPECT_EQ(r.x, 160);
    // A window the player sized: exactly as large as it can be.
    r = vtl::fitPicture(640, 480, 1000, 600, false);
    EXPECT_EQ(r.w, 800);
    EXPECT_EQ(r.h, 600);
    EXPECT_EQ(r.x, 100);
    EXPECT_EQ(r.y, 0);
}

TEST(SdlPicture, PointsMapToTheGamePixelUnderThemAndBarsAreOffThePicture)
{
    // SDL's window-less video driver: the picture is data of the window.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("picture", 0, 0, 1000, 600, SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    int x = -1, y = -1;
    // No picture: one to one.
    EXPECT_TRUE(vtl::toGamePoint(window, 17, 23, &x, &y));
    EXPECT_EQ(x, 17);
    EXPECT_EQ(y, 23);

    vtl::setPicture(window, vtl::Picture{vtl::fitPicture(640, 480, 1000, 600, false), 640, 480});
    // Each game pixel is 1.25 screen pixels wide; the picture starts at 100.
    EXPECT_TRUE(vtl::toGamePoint(window, 100, 0, &x, &y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_TRUE(vtl::toGamePoint(window, 899, 599, &x, &y));
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 479);
    EXPECT_TRUE(vtl::toGamePoint(window, 500, 300, &x, &y));
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    // One pixel into either bar is off the picture, at its nearest edge.
    EXPECT_FALSE(vtl::toGamePoint(window, 99, 300, &x, &y));
    EXPECT_EQ(x, 0);
    EXPECT_FALSE(vtl::toGamePoint(window, 900, 300, &x, &y));
    EXPECT_EQ(x, 639);

    // Back from game pixels (where SetCursorPos puts the pointer): every
    // game pixel's native point maps to that pixel again, also at 1.25.
    for (int g = 0; g < 640; ++g) {
        int nx = -1, ny = -1;
        vtl::toNativePoint(window, g, g % 480, &nx, &ny);
        ASSERT_TRUE(vtl::toGamePoint(window, nx, ny, &x, &y)) << g;
        ASSERT_EQ(x, g);
        ASSERT_EQ(y, g % 480);
    }

    vtl::clearPicture(window);
    EXPECT_TRUE(vtl::toGamePoint(window, 99, 300, &x, &y));
    EXPECT_EQ(x, 99);
    vtl::toNativePoint(window, 99, 300, &x, &y);
    EXPECT_EQ(x, 99);
    EXPECT_EQ(y, 300);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
