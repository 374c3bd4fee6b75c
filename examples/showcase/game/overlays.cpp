#include "game/overlays.h"

#include "game/any_depth.h"

#include <algorithm>

namespace {
// Twice the area around the hero, in the top-right corner, on a shadow.
void drawMagnifier(Game& g)
{
    if (!g.zoom || !g.lens)
        return;
    const int sx = std::clamp(heroCentreX(g) - g.cameraX - kLensWidth / 2, 0, g.width - kLensWidth);
    const int sy = std::clamp(heroCentreY(g) - g.cameraY - kLensHeight / 2, 0, g.height - kLensHeight);
    RECT around = {sx, sy, sx + kLensWidth, sy + kLensHeight};
    g.lens.Blt(&g.screen, POINT{0, 0}, &around);
    const int w = kLensWidth * 2, h = kLensHeight * 2;
    const int x = g.width - w - 12, y = 60;
    shadeArea(g.screen, x + 6, y + 6, w, h);
    blitScaled(g.screen, g.lens, POINT{x, y}, w, h);
    const unsigned long frame = g.gfx->packColor(255, 220, 120);
    g.screen.line(x, y, x + w - 1, y, frame);
    g.screen.line(x, y + h - 1, x + w - 1, y + h - 1, frame);
    g.screen.line(x, y, x, y + h - 1, frame);
    g.screen.line(x + w - 1, y, x + w - 1, y + h - 1, frame);
}

// The title grows out of the middle of the screen, holds, then fades.
void drawIntro(Game& g)
{
    if (g.tick >= kIntroTicks || !g.assets.logo)
        return;
    const int grow = 40;
    const double k = g.tick < grow ? 0.1 + 0.9 * g.tick / grow : 1.0;
    const int w = static_cast<int>(g.assets.logo.width * 2 * k), h = static_cast<int>(g.assets.logo.height * 2 * k);
    const POINT at{(g.width - w) / 2, g.height / 3 - h / 2};
    const unsigned long level = g.tick < kIntroTicks - 40 ? 255 : (kIntroTicks - g.tick) * 255 / 40;
    blitScaled(g.screen, g.assets.logo, at, w, h, static_cast<unsigned char>(level));
}

void drawMenu(Game& g)
{
    // Everything behind the menu goes dark.
    shadeArea(g.screen, 0, 0, g.width, g.height);
    for (HWND button : g.menuItems)
        if (button)
            DrawRLEButton(button);
}
} // namespace

void drawZoom(Game& g)
{
    drawMagnifier(g);
    drawIntro(g);
}

void drawReticle(Game& g)
{
    if (g.mouseX < 0 || g.menuOpen)
        return;
    const unsigned long c = g.gfx->packColor(255, 255, 255);
    const int x = g.mouseX, y = g.mouseY;
    g.screen.ellipse(x, y, 9, 9, c);
    g.screen.line(x - 14, y, x - 5, y, c);
    g.screen.line(x + 5, y, x + 14, y, c);
    g.screen.line(x, y - 14, x, y - 5, c);
    g.screen.line(x, y + 5, x, y + 14, c);
}

void drawInterface(Game& g)
{
    if (g.assets.panel)
        blitAlpha(g.screen, g.assets.panel, POINT{0, 0});
    if (g.menuOpen)
        drawMenu(g);
    if (g.menuButton)
        DrawRLEButton(g.menuButton);
}
