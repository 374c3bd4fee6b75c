// sprite_walk: a figure walks over an animated map, steered with the arrow
// keys; Escape quits.  The map is larger than the window and scrolls with
// the walker.
//
// The pictures in art/ go through vtlsprite into RLA files and through
// vtlpack into an archive linked into the program (see CMakeLists.txt), so
// everything is loaded the way a game loads it: by name from the archive.
//
//   vantrel-sprite-walk [--demo] [--frames N]
//     --demo      the figure walks on its own, round and round
//     --frames N  quit after N frames (for unattended runs)
#include <vantrel.h>

#include "unattended.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {
constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;
constexpr int kCell = 16;
constexpr int kMapWidth = 32;
constexpr int kMapHeight = 24;
constexpr unsigned kTickMs = 40;

// Frame labels of HERO.RLA: action 0 stands, 1 walks; directions below.
enum Action : unsigned short { Stand = 0, Walk = 1 };
enum Direction : unsigned short { Down = 0, Left = 1, Right = 2, Up = 3 };
constexpr int kStepX[] = {0, -1, 1, 0};
constexpr int kStepY[] = {1, 0, 0, -1};
// The figure is 16 x 24 with its feet in the bottom cell-sized square.
constexpr int kFeetOffset = 8;

enum Ground { Grass, Water, Flowers };

struct Game {
    DXWindow* window = nullptr;
    VTLHND handle;
    BITPLANEFX screen{};
    ANIMATIONFX hero{}, grass{}, water{}, flowers{};
    Sprite walker{};
    Tile* map[kMapHeight][kMapWidth] = {};
    Ground ground[kMapHeight][kMapWidth] = {};
    unsigned long tick = 0;
    unsigned long frameLimit = 0; // 0: run until closed
    bool demo = false;
    unsigned demoStep = 0;
};
Game* gGame = nullptr;

// A lake, a river and some flower beds.
Ground groundAt(int x, int y)
{
    const int dx = x - 22, dy = y - 8;
    if (dx * dx * 2 + dy * dy * 3 < 60)
        return Water;
    if (y == 17 && (x < 9 || x > 12))
        return Water;
    if ((x * 7 + y * 5) % 11 == 0)
        return Flowers;
    return Grass;
}

bool walkable(const Game& g, int cx, int cy)
{
    return cx >= 0 && cy >= 0 && cx < kMapWidth && cy < kMapHeight && g.ground[cy][cx] != Water;
}

bool loadSets(Game& g)
{
    return g.handle.create(&g.hero, const_cast<char*>("HERO.RLA")) &&
           g.handle.create(&g.grass, const_cast<char*>("GRASS.RLA")) &&
           g.handle.create(&g.water, const_cast<char*>("WATER.RLA")) &&
           g.handle.create(&g.flowers, const_cast<char*>("FLOWERS.RLA"));
}

bool buildMap(Game& g)
{
    for (int y = 0; y < kMapHeight; ++y)
        for (int x = 0; x < kMapWidth; ++x) {
            Tile* tile = createTile();
            if (!tile)
                return false;
            g.map[y][x] = tile;
            g.ground[y][x] = groundAt(x, y);
            switch (g.ground[y][x]) {
            case Water:
                tile->bind(&g.water);
                // Neighbouring cells start a frame apart, so the ripples run.
                tile->set(static_cast<unsigned short>((x + y) % 4), 0);
                break;
            case Flowers:
                tile->bind(&g.flowers);
                tile->set(static_cast<unsigned short>(x % 2), 0);
                break;
            default:
                tile->bind(&g.grass);
                tile->set(0, 0);
            }
        }
    return true;
}

// The direction the player (or the demo) asks for, or -1 for none.
int wantedDirection(Game& g)
{
    if (g.demo) {
        // Round a rectangle of cells: 6 right, 5 down, 6 left, 5 up.
        static const int plan[] = {Right, Right, Right, Right, Right, Right, Down, Down, Down, Down, Down,
                                   Left,  Left,  Left,  Left,  Left,  Left,  Up,   Up,   Up,   Up,   Up};
        return plan[g.demoStep++ % (sizeof plan / sizeof plan[0])];
    }
    const int keys[] = {VK_DOWN, VK_LEFT, VK_RIGHT, VK_UP};
    for (int d = 0; d < 4; ++d)
        if (GetAsyncKeyState(keys[d]) & 0x8000)
            return d;
    return -1;
}

void steer(Game& g)
{
    Sprite& s = g.walker;
    if (s.getX() != s.destX || s.getY() != s.destY)
        return; // still between two cells
    const int d = wantedDirection(g);
    if (d < 0) {
        if (s.getAction() != Stand)
            s.setAction(Stand, 0xFFFF); // keep facing the same way
        return;
    }
    if (s.getAction() != Walk || s.getDirection() != d)
        s.setAction(Walk, static_cast<unsigned short>(d));
    const int cx = s.getX() / kCell + kStepX[d];
    const int cy = (s.getY() + kFeetOffset) / kCell + kStepY[d];
    if (walkable(g, cx, cy))
        s.setDest(cx * kCell, cy * kCell - kFeetOffset);
}

int clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

void frame(Game& g)
{
    ++g.tick;
    steer(g);
    g.walker.update();
    if (g.tick % 3 == 0 && g.walker.getAction() == Walk)
        g.walker.advance();
    if (g.tick % 6 == 0)
        for (auto& row : g.map)
            for (Tile* tile : row)
                tile->advance();

    // The camera keeps the walker in the middle, within the map.
    const int originX = clamp(g.walker.getX() + kCell / 2 - kScreenWidth / 2, 0, kMapWidth * kCell - kScreenWidth);
    const int originY = clamp(g.walker.getY() + kCell - kScreenHeight / 2, 0, kMapHeight * kCell - kScreenHeight);

    g.handle.gfxClearSystemBuffer(&g.screen);
    for (int cy = originY / kCell; cy <= (originY + kScreenHeight) / kCell && cy < kMapHeight; ++cy)
        for (int cx = originX / kCell; cx <= (originX + kScreenWidth) / kCell && cx < kMapWidth; ++cx)
            g.map[cy][cx]->draw(&g.screen, POINT{cx * kCell - originX, cy * kCell - originY});
    g.walker.draw(&g.screen, originX, originY);
    g.handle.gfxCopyBackBuffer(&g.screen);
    g.handle.gfxSwapBuffers();

    if (g.frameLimit && g.tick >= g.frameLimit)
        PostQuitMessage(0);
}

// In a window the finished frame is copied to the client area's place on
// the screen: tell the display where that is whenever the window moves.
void followWindow(Game& g)
{
    if (!g.window || !g.window->update())
        return;
    RECT onScreen = g.window->rect();
    g.handle.gfxSetWindowRect(&onScreen);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOVE:
    case WM_SIZE:
        if (gGame)
            followWindow(*gGame);
        return 0;
    case WM_TIMER:
        if (gGame)
            frame(*gGame);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        // The DXWindow destroys its own window once its timer is stopped,
        // which it could no longer do once DefWindowProcA had destroyed it.
        if (!gGame)
            return DefWindowProcA(hwnd, message, wParam, lParam);
        gGame->window->stopTimer();
        gGame->window->destroy();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void shutDown(Game& g)
{
    for (auto& row : g.map)
        for (Tile*& tile : row)
            if (tile) {
                destroyTile(tile);
                tile = nullptr;
            }
    // Frame sets go back before gfxEnd, which frees every registered image.
    for (ANIMATIONFX* set : {&g.hero, &g.grass, &g.water, &g.flowers})
        if (set->owner)
            g.handle.release(set);
    g.handle.gfxEnd();
}
} // namespace

int main(int argc, char** argv)
{
    static const char kUsage[] = "usage: vantrel-sprite-walk [--demo] [--frames N]\n"
                                 "  --demo      the figure walks on its own, round and round\n"
                                 "  --frames N  quit after N frames (for unattended runs)\n"
                                 "  The arrow keys steer; Escape quits.\n";
    Game* game = new Game;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            delete game;
            return 0;
        } else if (std::strcmp(argv[i], "--demo") == 0) {
            game->demo = true;
        } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
            game->frameLimit = std::strtoul(argv[++i], nullptr, 10);
        } else {
            std::fprintf(stderr, "vantrel-sprite-walk: unknown option or missing value: %s\n%s", argv[i], kUsage);
            delete game;
            return 2;
        }
    }

    DXWindow window(GetModuleHandleA(nullptr), "VantrelSpriteWalk", "Sprite walk");
    if (!window.doReg(windowProc, 0, 0, 0) || !window.createWindow(kScreenWidth, kScreenHeight))
        return 1;
    window.show(SW_SHOW);

    Game& g = *game;
    g.handle.gfxSetup(window.hwnd(), kScreenWidth, kScreenHeight, 16);
    g.handle.Override();
    int status = 1;
    if (g.handle.FastFileInit(const_cast<char*>("SPRITEWALK")) && g.handle.gfxBegin() == 1 &&
        g.handle.create(&g.screen, kScreenWidth, kScreenHeight, false) && loadSets(g) && buildMap(g)) {
        g.walker.bind(&g.hero);
        g.walker.setAction(Stand, Down);
        g.walker.setVel(2); // divides the cell size: each move ends on a cell
        g.walker.setX(4 * kCell, false);
        g.walker.setY(4 * kCell - kFeetOffset, false);
        g.walker.setDest(g.walker.getX(), g.walker.getY());
        g.window = &window;
        followWindow(g);
        gGame = &g;
        window.timer(kTickMs);
        if (!g.frameLimit && closeUnattendedAfter(window.hwnd(), 5))
            std::printf("no display: closing after 5 seconds\n");
        status = static_cast<int>(window.messageLoop());
        gGame = nullptr;
    }
    shutDown(g);
    g.handle.FastFileFini();
    window.stopTimer();
    window.destroy();
    window.unReg();
    delete game;
    return status;
}
