// The state of one game, shared by the parts that update and draw it.
#ifndef SHOWCASE_GAME_H
#define SHOWCASE_GAME_H

#include "game/assets.h"
#include "game/options.h"

#include <vantrel.h>

#include <vector>

constexpr int kCell = 32;
constexpr int kMapWidth = 64;  // cells
constexpr int kMapHeight = 48;
constexpr int kHeroSize = 32;
constexpr int kEnemySize = 28;
constexpr int kMaxLives = 3;
// The other player's colour: its hero's wash, its name and its bolts.
// Violet, which nothing else on the map is (the wisps are green and red).
constexpr unsigned char kPartnerRed = 170, kPartnerGreen = 90, kPartnerBlue = 255;
// Ticks (of 20 ms) at the start of each game in which the wisps only wander:
// a player who has not touched the controls yet is not chased for the first
// 22 seconds.
constexpr unsigned long kCalmTicks = 1100;

// What the player (or the automatic run) asks for in one tick.
struct Command {
    int dx = 0, dy = 0;     // -1, 0 or 1 each
    bool fire = false;      // in the facing direction
    bool aim = false;       // fire towards (aimX, aimY), screen coordinates
    int aimX = 0, aimY = 0;
};

struct Hero {
    Sprite sprite{};
    int direction = 2;      // 0 east, clockwise in eighths: 2 south, 4 west, 6 north
    int cooldown = 0;       // ticks until the next shot
    int hurt = 0;           // ticks of blinking after a touch
};

struct Enemy {
    Sprite sprite{};
    bool alive = true;
    int respawn = 0;        // ticks until it comes back
    double x = 0, y = 0;    // world position of its frame's top-left corner
    double phase = 0;
};

struct Bolt {
    double x, y, dx, dy;
    int life;
    bool remote;            // fired by the other player
};

struct Blast {
    int x, y;               // world centre
    int age;
};

struct Stats {
    long heroStartX = 0, heroStartY = 0;
    unsigned long shots = 0, hits = 0, menuOpened = 0, partnerPackets = 0, livesLost = 0;
};

struct Network;
struct GameAudio;

struct Game {
    Options options;
    VTLHND* gfx = nullptr;
    HWND hwnd = nullptr;
    int width = 640, height = 480;
    Assets assets;

    // Surfaces in the display's format.
    BITPLANEFX screen{};     // the system buffer every frame is drawn into
    BITPLANEFX patchUnder{}; // the ground under a sand patch, 68 x 34
    BITPLANEFX patch{};      // the blended patch
    BITPLANEFX lens{};       // what the magnifier shows, before scaling
    LUTFX light{};
    LUTFX fog{};
    unsigned char preparedFormat = 0;

    Terrain ground[kMapHeight][kMapWidth] = {};
    Tile* tiles[kMapHeight][kMapWidth] = {};
    std::vector<POINT> patches; // world positions of sand patches (68 x 34 blocks)

    Hero hero;
    Sprite partner{};
    bool partnerSeen = false;
    std::vector<Enemy> enemies;
    std::vector<Bolt> bolts;
    std::vector<Blast> blasts;
    int cameraX = 0, cameraY = 0;
    int score = 0, lives = kMaxLives;
    unsigned long chaseFrom = kCalmTicks; // the tick from which the wisps home in

    unsigned long tick = 0;    // ticks of play (not counted while the menu is open)
    unsigned long frames = 0;  // frames shown
    bool screenshotRequested = false;
    unsigned fps = 0, framesThisSecond = 0;
    DWORD secondStarted = 0;
    bool menuOpen = false;
    bool menuClosing = false; // closed at the next tick
    bool zoom = false;
    bool soundOn = true;
    int mouseX = -1, mouseY = -1; // screen position of the pointer, -1 before it moves
    bool mouseDown = false;
    // Presses seen as messages since the last tick, so that a tap shorter
    // than a tick still fires.
    bool keyFired = false, clickFired = false;
    unsigned char sticks = 0;      // usable joysticks, from InstallJoystick
    HFONT font = nullptr, smallFont = nullptr;
    HWND menuButton = nullptr;
    HWND menuItems[4] = {};
    const char* message = nullptr; // a line shown for a while
    int messageTicks = 0;
    Stats stats;

    Network* net = nullptr;
    GameAudio* audio = nullptr;
};

// Hero position helpers: sprites stand at their frame's top-left corner.
inline int heroCentreX(Game& g) { return g.hero.sprite.getX() + kHeroSize / 2; }
inline int heroCentreY(Game& g) { return g.hero.sprite.getY() + kHeroSize / 2; }

void showMessage(Game& g, const char* text, int ticks = 90);

#endif
