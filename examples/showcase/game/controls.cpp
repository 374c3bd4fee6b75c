#include "game/controls.h"

#include "game/menu.h"

#include <cmath>

namespace {
bool down(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }
} // namespace

void setupJoystick(Game& g)
{
    RECT area = {0, 0, 0, 0};
    g.sticks = InstallJoystick(nullptr, area, 0, 2, g.options.joystickFile.c_str());
}

Command readControls(Game& g)
{
    Command c;
    c.dx = (down(VK_RIGHT) || down('D')) - (down(VK_LEFT) || down('A'));
    c.dy = (down(VK_DOWN) || down('S')) - (down(VK_UP) || down('W'));
    c.fire = down(VK_SPACE) || down(VK_CONTROL) || g.keyFired;
    if ((g.mouseDown || g.clickFired) && g.mouseX >= 0) {
        c.aim = true;
        c.aimX = g.mouseX;
        c.aimY = g.mouseY;
    }
    g.keyFired = g.clickFired = false;
    if (g.sticks & 1) {
        DWORD state = 0;
        ReadJoystick1(&state, nullptr, nullptr);
        if (state & VTL_JOY_LEFT)
            c.dx = -1;
        if (state & VTL_JOY_RIGHT)
            c.dx = 1;
        if (state & VTL_JOY_UP)
            c.dy = -1;
        if (state & VTL_JOY_DOWN)
            c.dy = 1;
        c.fire = c.fire || (state & VTL_JOY_BUTTON1);
        static bool wasPressed = false;
        const bool pressed = (state & VTL_JOY_BUTTON2) != 0;
        if (pressed && !wasPressed)
            menuCommand(g, IdMenu);
        wasPressed = pressed;
    }
    return c;
}

Command autoPilot(Game& g)
{
    // A loop around the first clearing and along the lake, in cells.
    static const int route[][2] = {{18, 13}, {24, 18}, {34, 20}, {36, 30}, {24, 32}, {8, 24}, {6, 14}, {12, 6}};
    static int leg = 0;
    static int stuck = 0;
    static long lastX = 0, lastY = 0;
    Command c;
    // The menu opens by its button's command, as a click would, and closes
    // again a second later.
    if (g.frames == 150)
        menuCommand(g, IdMenu);
    if (g.frames == 180)
        menuCommand(g, IdResume);
    if (g.menuOpen)
        return c;
    const int tx = route[leg][0] * kCell, ty = route[leg][1] * kCell;
    const int dx = tx - g.hero.sprite.getX(), dy = ty - g.hero.sprite.getY();
    // On to the next point when there, or when a wall is in the way.
    stuck = (g.hero.sprite.getX() == lastX && g.hero.sprite.getY() == lastY) ? stuck + 1 : 0;
    lastX = g.hero.sprite.getX();
    lastY = g.hero.sprite.getY();
    if ((std::abs(dx) < 4 && std::abs(dy) < 4) || stuck > 20) {
        leg = (leg + 1) % static_cast<int>(sizeof route / sizeof route[0]);
        stuck = 0;
    }
    c.dx = dx > 3 ? 1 : dx < -3 ? -1 : 0;
    c.dy = dy > 3 ? 1 : dy < -3 ? -1 : 0;
    // Aim at the nearest wisp on the screen.
    double best = 1e9;
    for (const Enemy& e : g.enemies) {
        const double d = std::hypot(e.x - heroCentreX(g), e.y - heroCentreY(g));
        if (e.alive && d < best && d < 280) {
            best = d;
            c.aim = true;
            c.aimX = static_cast<int>(e.x) + kEnemySize / 2 - g.cameraX;
            c.aimY = static_cast<int>(e.y) + kEnemySize / 2 - g.cameraY;
        }
    }
    // Turn the magnifier on for the second half of the run, so it shows.
    g.zoom = g.zoom || g.tick == 200;
    return c;
}
