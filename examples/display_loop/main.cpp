// A small game loop: a window with a frame timer, a system buffer drawn into
// every frame, copied to the back buffer, text on top, presented.
//
//   F2 or Enter   switch between window and full screen
//   Escape        quit
//
// Without a display (no DISPLAY, or VANTREL_VIDEO=headless) it runs on the
// headless backend for a few seconds; with --bmp it writes its last frame
// there as a BMP (it writes no file unless asked to).
//
//   vantrel-display-loop [--configure] [--seconds N] [--bmp PATH]
//
// --configure lets the player choose driver, window or full screen, depth
// and effects in the configuration dialog instead of starting in a window.
#include <vantrel.h>

#include "bmp_writer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr unsigned short kWidth = 640;
constexpr unsigned short kHeight = 480;

struct Game {
    DXWindow* window = nullptr;
    VTLHND gfx;
    BITPLANEFX frame{};
    HFONT font = nullptr;
    unsigned frames = 0;
    DWORD started = 0;
    DWORD lastSecond = 0;
    unsigned framesThisSecond = 0;
    unsigned fps = 0;
    unsigned seconds = 0; // quit after this many seconds (0: never)
    std::string bmpPath;
};

Game* gGame = nullptr;

// The system buffer follows the display's format, which changes when a
// window (desktop depth) becomes full screen (16 bits) and back.
bool matchSystemBuffer(Game& g)
{
    if (g.frame.pixels && g.frame.format == g.gfx.formatCode)
        return true;
    g.frame.release();
    std::memset(&g.frame, 0, sizeof g.frame);
    g.frame.format = g.gfx.formatCode;
    g.frame.bitsPerPixel = g.gfx.bitsPerPixel;
    g.frame.bytesPerPixel = g.gfx.bytesPerPixel;
    return g.frame.create(kWidth, kHeight, false);
}

void followWindow(Game& g)
{
    g.window->update();
    RECT client = g.window->rect();
    g.gfx.gfxSetWindowRect(&client);
}

void put(BITPLANEFX& s, int x, int y, unsigned long color)
{
    if (x < 0 || y < 0 || x >= s.width || y >= s.height)
        return;
    unsigned char* p = s.pixels + y * s.pitch + x * s.bytesPerPixel;
    for (int i = 0; i < s.bytesPerPixel; ++i)
        p[i] = static_cast<unsigned char>(color >> (8 * i));
}

void fillRect(BITPLANEFX& s, int x0, int y0, int w, int h, unsigned long color)
{
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            put(s, x, y, color);
}

void drawScene(Game& g)
{
    BITPLANEFX& s = g.frame;
    const double t = g.frames / 60.0;
    // A sky of horizontal bands whose hue drifts with time.
    for (int y = 0; y < kHeight; y += 4) {
        const double k = y / static_cast<double>(kHeight);
        const auto r = static_cast<unsigned char>(40 + 40 * std::sin(t + k * 3));
        const auto b = static_cast<unsigned char>(120 + 100 * k);
        fillRect(s, 0, y, kWidth, 4, g.gfx.packColor(r, 30, b));
    }
    // A sine wave of dots.
    for (int x = 0; x < kWidth; ++x) {
        const int y = kHeight / 2 + static_cast<int>(80 * std::sin(x / 40.0 + t * 2));
        fillRect(s, x, y, 1, 3, g.gfx.packColor(255, 255, 255));
    }
    // A square bouncing off the edges.
    const int size = 48;
    const int spanX = kWidth - size, spanY = kHeight - size;
    const int px = static_cast<int>(g.frames * 3) % (2 * spanX);
    const int py = static_cast<int>(g.frames * 2) % (2 * spanY);
    fillRect(s, px < spanX ? px : 2 * spanX - px, py < spanY ? py : 2 * spanY - py, size, size,
             g.gfx.packColor(255, 200, 0));
}

// The finished frame, text included, as the back buffer holds it.
bool saveBackBuffer(Game& g, const std::string& path)
{
    if (!g.gfx.backBuffer)
        return false;
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (g.gfx.backBuffer->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
        return false;
    const bool saved = writeBmp24(path, static_cast<const unsigned char*>(desc.lpSurface), desc.lPitch,
                                  g.frame.width, g.frame.height, g.frame.bitsPerPixel, g.frame.format);
    g.gfx.backBuffer->Unlock(desc.lpSurface);
    return saved;
}

void frame(Game& g)
{
    if (!matchSystemBuffer(g))
        return;
    g.gfx.gfxClearSystemBuffer(&g.frame);
    drawScene(g);
    ++g.frames;
    ++g.framesThisSecond;
    const DWORD now = GetTickCount();
    if (now - g.lastSecond >= 1000) {
        g.fps = g.framesThisSecond;
        g.framesThisSecond = 0;
        g.lastSecond = now;
    }
    g.gfx.gfxCopyBackBuffer(&g.frame);
    char text[96];
    std::snprintf(text, sizeof text, "Vantrel  %u fps  %u-bit %s", g.fps, g.gfx.bitsPerPixel,
                  g.gfx.fullscreen() ? "full screen" : "window");
    g.gfx.gfxString(text, g.font, RGB(255, 255, 255), 8, 8, 0);
    char help[] = "F2 / Enter: window or full screen    Esc: quit";
    g.gfx.gfxString(help, g.font, RGB(255, 255, 160), kWidth / 2, kHeight - 28, 1);
    const bool last = g.seconds && now - g.started >= g.seconds * 1000;
    if (last && !g.bmpPath.empty()) {
        if (saveBackBuffer(g, g.bmpPath))
            std::printf("last frame written to %s\n", g.bmpPath.c_str());
        else
            std::fprintf(stderr, "cannot write %s\n", g.bmpPath.c_str());
    }
    // A full-screen display that could not be restored in the swap is
    // tried again on the next frame.
    if (!g.gfx.gfxSwapBuffers() && !g.gfx.primary)
        g.gfx.RestoreAll();
    if (last) {
        g.window->stopTimer();
        g.window->destroy();
    }
}

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Game* g = gGame;
    switch (message) {
    case WM_TIMER:
        if (g)
            frame(*g);
        return 0;
    case WM_MOVE:
        if (g && !g->gfx.fullscreen())
            followWindow(*g);
        return 0;
    case WM_KEYDOWN:
        if (!g)
            break;
        if (wParam == VK_ESCAPE) {
            g->window->stopTimer();
            g->window->destroy();
        } else if (wParam == VK_F2 || wParam == VK_RETURN) {
            g->gfx.gfxSwitchMode();
            if (!g->gfx.fullscreen())
                followWindow(*g);
        }
        return 0;
    case WM_CLOSE:
        // The DXWindow destroys its own window once its timer is stopped,
        // which it could no longer do once DefWindowProcA had destroyed it.
        if (!g)
            break;
        g->window->stopTimer();
        g->window->destroy();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

#ifndef _WIN32
// An X or Wayland display to open; a page always has its canvas.
bool hasDisplay()
{
#ifdef __EMSCRIPTEN__
    return true;
#else
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
#endif
}
#endif

} // namespace

const char kUsage[] =
    "usage: vantrel-display-loop [--configure] [--seconds N] [--bmp PATH]\n"
    "  --configure  choose driver, window or full screen, depth and effects in the dialog\n"
    "  --seconds N  quit after N seconds (3 without a display)\n"
    "  --bmp PATH   write the last frame to PATH as a BMP (needs --seconds, or no display)\n"
    "  F2 or Enter switches between window and full screen; Escape quits.\n";

int main(int argc, char** argv)
{
    Game game;
    bool configure = false;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (std::strcmp(argv[i], "--configure") == 0) {
            configure = true;
        } else if (std::strcmp(argv[i], "--seconds") == 0 && hasValue) {
            game.seconds = static_cast<unsigned>(std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--bmp") == 0 && hasValue) {
            game.bmpPath = argv[++i];
        } else {
            std::fprintf(stderr, "vantrel-display-loop: unknown option or missing value: %s\n%s", argv[i], kUsage);
            return 2;
        }
    }
#ifndef _WIN32 // Windows always has its desktop
    const char* video = std::getenv("VANTREL_VIDEO");
    const bool headless = (video && std::strcmp(video, "headless") == 0) ||
                          (!video && !hasDisplay());
    if (headless) {
        setenv("VANTREL_VIDEO", "headless", 1);
        if (!game.seconds)
            game.seconds = 3;
        std::printf("no display: running headless for %u seconds\n", game.seconds);
    }
#endif

    DXWindow window(GetModuleHandleA(nullptr), "VantrelDisplayLoop", "Vantrel display loop");
    game.window = &window;
    if (!window.doReg(procedure, 0, 0, 0) || !window.createWindow(kWidth, kHeight))
        return 1;
    window.show(SW_SHOW);

    game.gfx.gfxSetup(window.hwnd(), kWidth, kHeight, 16);
    if (!configure)
        game.gfx.Override(); // start in a window; F2 goes full screen
    const signed char started = game.gfx.gfxBegin();
    if (started == 0) {
        std::printf("configuration cancelled\n");
        return 0;
    }
    if (started != 1) {
        std::fprintf(stderr, "the display did not start (%d)\n", started);
        return 1;
    }
    followWindow(game);
    game.font = CreateFontA(18, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
    game.started = game.lastSecond = GetTickCount();
    gGame = &game;
    window.timer(16);
    const unsigned code = window.messageLoop();
    gGame = nullptr;

    game.frame.release();
    DeleteObject(game.font);
    game.gfx.gfxEnd();
    window.unReg();
    return static_cast<int>(code);
}
