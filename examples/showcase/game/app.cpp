#include "game/app.h"

#include "game/actors.h"
#include "game/controls.h"
#include "game/frame.h"
#include "game/menu.h"
#include "game/network.h"
#include "game/scene.h"
#include "game/sound_effects.h"
#include "game/world.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr unsigned kTickMs = 20;

Game* gGame = nullptr;
DXWindow* gWindow = nullptr;

void followWindow(Game& g)
{
    if (!gWindow || g.gfx->fullscreen() || !gWindow->update())
        return;
    RECT client = gWindow->rect();
    g.gfx->gfxSetWindowRect(&client);
}

void onKey(Game& g, WPARAM key)
{
    switch (key) {
    case VK_ESCAPE:
        gWindow->stopTimer();
        gWindow->destroy();
        break;
    case VK_SPACE:
    case VK_CONTROL:
        g.keyFired = true;
        break;
    case 'M':
        menuCommand(g, IdMenu);
        break;
    case 'Z':
        g.zoom = !g.zoom;
        break;
    case VK_F2:
        g.gfx->gfxSwitchMode();
        followWindow(g);
        break;
    case VK_F12:
        if (g.options.screenshot.empty())
            g.options.screenshot = "vantrel-demo.tga";
        g.screenshotRequested = true;
        break;
    default:
        break;
    }
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Game* g = gGame;
    if (!g)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_TIMER:
        if (!runFrame(*g)) {
            gWindow->stopTimer();
            gWindow->destroy();
        }
        return 0;
    case WM_KEYDOWN:
        onKey(*g, wParam);
        return 0;
    case WM_MOUSEMOVE:
        g->mouseX = static_cast<short>(LOWORD(lParam));
        g->mouseY = static_cast<short>(HIWORD(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        g->mouseDown = true;
        g->clickFired = true;
        g->mouseX = static_cast<short>(LOWORD(lParam));
        g->mouseY = static_cast<short>(HIWORD(lParam));
        return 0;
    case WM_LBUTTONUP:
        g->mouseDown = false;
        return 0;
    case WM_COMMAND:
        menuCommand(*g, LOWORD(wParam));
        return 0;
    case VTL_WM_SOCKET:
        onSocketMessage(*g, lParam);
        return 0;
    case VTL_WM_HOSTLOOKUP:
        onLookupMessage(*g, lParam);
        return 0;
    case WM_MOVE:
        followWindow(*g);
        return 0;
    case WM_CLOSE:
        // Closed by the player, the window manager or Ctrl-C: the window is
        // the DXWindow's to destroy, so that its timer stops first and the
        // destroy and unReg at the end find nothing left to undo.
        gWindow->stopTimer();
        gWindow->destroy();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

bool noDisplay()
{
#ifdef _WIN32
    return false; // Windows always has its desktop
#else
    const char* video = std::getenv("VANTREL_VIDEO");
    if (video)
        return std::strcmp(video, "headless") == 0;
#ifdef __EMSCRIPTEN__
    return false; // a page always has its canvas
#else
    return !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY");
#endif
#endif
}

// Everything after the display has started; false (with a message) when the
// game cannot be set up.
bool setUp(Game& g)
{
    const char* missing = nullptr;
    if (!loadAssets(*g.gfx, g.assets, missing)) {
        std::fprintf(stderr, "vantrel-demo: cannot load %s from the archive\n", missing);
        return false;
    }
    if (!buildWorld(g) || !prepareScene(g)) {
        std::fprintf(stderr, "vantrel-demo: out of memory\n");
        return false;
    }
    placeHero(g);
    spawnEnemies(g);
    followCamera(g);
    if (!createMenuButton(g))
        std::fprintf(stderr, "vantrel-demo: the menu button could not be made\n");
    g.font = CreateFontA(20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
    g.smallFont = CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
    startAudio(g);
    setupJoystick(g);
    if (!startNetwork(g)) {
        std::fprintf(stderr, "vantrel-demo: cannot open the network port\n");
        return false;
    }
    g.secondStarted = GetTickCount();
    return true;
}

void tearDown(Game& g)
{
    stopNetwork(g);
    stopAudio(g);
    destroyMenu(g);
    releaseScene(g);
    destroyWorld(g);
    releaseFrameSets(*g.gfx, g.assets);
    if (g.font)
        DeleteObject(g.font);
    if (g.smallFont)
        DeleteObject(g.smallFont);
}

// The one line the demo writes on standard output, at the end of every game.
void printSummary(Game& g)
{
    std::printf("vantrel-demo: %lu frames, hero moved from %ld,%ld to %ld,%ld, view at %d,%d, "
                "%lu shots, %lu hits, menu opened %lu times, %lu datagrams from the other player, "
                "%lu lives lost, music: %s",
                g.frames, g.stats.heroStartX, g.stats.heroStartY, g.hero.sprite.getX(), g.hero.sprite.getY(),
                g.cameraX, g.cameraY, g.stats.shots, g.stats.hits, g.stats.menuOpened, g.stats.partnerPackets,
                g.stats.livesLost, musicSource(g));
    if (const char* status = networkStatus(g))
        std::printf(", network: %s", status);
    std::printf("\n");
}
} // namespace

int runGame(const Options& options)
{
    Game* game = new Game;
    Game& g = *game;
    g.options = options;
    g.width = kWidth;
    g.height = kHeight;
    const bool headless = noDisplay();
    if (headless) {
#ifndef _WIN32
        setenv("VANTREL_VIDEO", "headless", 1);
#endif
        if (!g.options.frames) {
            g.options.frames = 300;
            g.options.automatic = true;
        }
    }
    DXWindow window(GetModuleHandleA(nullptr), "VantrelDemo", "Vantrel demo");
    gWindow = &window;
    if (!window.doReg(windowProc, 0, 0, 0) || !window.createWindow(kWidth, kHeight)) {
        std::fprintf(stderr, "vantrel-demo: cannot open a window\n");
        return 1;
    }
    window.show(SW_SHOW);
    g.hwnd = window.hwnd();

    VTLHND* gfx = new VTLHND;
    g.gfx = gfx;
    const int depth = g.options.fullscreenDepth ? g.options.fullscreenDepth : 16;
    gfx->gfxSetup(g.hwnd, kWidth, kHeight, static_cast<unsigned char>(depth));
    if (g.options.window || g.options.fullscreenDepth) {
        gfx->Override();
        gfx->isFullscreen = g.options.fullscreenDepth != 0;
    }
    const std::string archive = g.options.dataFile.empty() ? "SHOWCASE" : g.options.dataFile;
    int code = 1;
    if (!gfx->FastFileInit(const_cast<char*>(archive.c_str()))) {
        std::fprintf(stderr, "vantrel-demo: cannot open the archive %s\n", archive.c_str());
    } else {
        const signed char started = gfx->gfxBegin();
        if (started == 0) {
            code = 0; // the player cancelled the dialog
        } else if (started != 1) {
            std::fprintf(stderr, "vantrel-demo: the display did not start (%d)\n", started);
        } else {
            followWindow(g);
            if (setUp(g)) {
                gGame = &g;
                window.timer(headless ? 1 : kTickMs);
                code = static_cast<int>(window.messageLoop());
                gGame = nullptr;
                printSummary(g);
            }
            tearDown(g);
        }
    }
    gfx->gfxEnd();
    gfx->FastFileFini();
    window.stopTimer();
    window.destroy();
    window.unReg();
    delete gfx;
    delete game;
    std::fflush(stdout);
    return code;
}
