#include "game/scene.h"

#include "game/lighting.h"
#include "game/overlays.h"
#include "game/world.h"

#include <cmath>
#include <cstring>

namespace {
constexpr int kBlastLife = 24;

// Surfaces made by the scene itself follow the display's format; the ones
// loaded from the archive are re-decoded by the handle's restore.
bool makeSurface(Game& g, BITPLANEFX& s, int width, int height)
{
    if (s.pixels)
        g.gfx->release(&s);
    std::memset(&s, 0, sizeof s);
    return g.gfx->create(&s, static_cast<unsigned short>(width), static_cast<unsigned short>(height), false);
}

void drawSprites(Game& g)
{
    if (g.partnerSeen) {
        // The other player's hero in its own colours under a violet wash: a
        // tint alone would make it a silhouette like the red wisps.
        g.partner.blitMode.mode = BLITMODE_NORMAL;
        g.partner.draw(&g.screen, g.cameraX, g.cameraY);
        g.partner.blitMode.mode = BLITMODE_COLOR;
        g.partner.draw(&g.screen, g.cameraX, g.cameraY);
    }
    for (Enemy& e : g.enemies)
        if (e.alive)
            e.sprite.draw(&g.screen, g.cameraX, g.cameraY);
    Sprite& hero = g.hero.sprite;
    // A hurt hero flickers between faded and whole.
    hero.blitMode.mode = (g.hero.hurt / 4) % 2 ? BLITMODE_FADE : BLITMODE_NORMAL;
    hero.blitMode.level = 90;
    hero.draw(&g.screen, g.cameraX, g.cameraY);
}

void drawShapes(Game& g)
{
    const unsigned long core = g.gfx->packColor(255, 255, 230);
    const unsigned long glow = g.gfx->packColor(255, 200, 60);
    const unsigned long remoteGlow = g.gfx->packColor(kPartnerRed, kPartnerGreen, kPartnerBlue);
    for (const Bolt& b : g.bolts) {
        const int x = static_cast<int>(b.x) - g.cameraX, y = static_cast<int>(b.y) - g.cameraY;
        const int tx = static_cast<int>(b.x - b.dx * 2) - g.cameraX, ty = static_cast<int>(b.y - b.dy * 2) - g.cameraY;
        g.screen.lineBlend(tx, ty + 1, x, y + 1, b.remote ? remoteGlow : glow, 140);
        g.screen.lineBlend(tx + 1, ty, x + 1, y, b.remote ? remoteGlow : glow, 140);
        g.screen.line(tx, ty, x, y, core);
        g.screen.fillellipse(x, y, 2, 2, core);
    }
    for (const Blast& b : g.blasts) {
        const int x = b.x - g.cameraX, y = b.y - g.cameraY;
        const int r = 4 + b.age * 2;
        const unsigned char fade = static_cast<unsigned char>(255 - b.age * 255 / (kBlastLife + 1));
        if (b.age < 6)
            g.screen.fillellipse(x, y, 14 - b.age * 2, 12 - b.age * 2, g.gfx->packColor(255, 255, 200));
        g.screen.ellipse(x, y, r, r * 3 / 4, g.gfx->packColor(255, fade, fade / 3));
        g.screen.ellipse(x, y, r / 2 + 2, r * 3 / 8 + 2, g.gfx->packColor(255, 230, 120));
        // Sparks fly out along eight rays.
        for (int k = 0; k < 8; ++k) {
            const double a = k * 0.785398 + b.x;
            g.screen.lineBlend(x + static_cast<int>(std::cos(a) * r * 0.6), y + static_cast<int>(std::sin(a) * r * 0.45),
                               x + static_cast<int>(std::cos(a) * r * 1.1), y + static_cast<int>(std::sin(a) * r * 0.8),
                               g.gfx->packColor(255, 240, 160), fade);
        }
    }
    drawReticle(g);
}

void drawLightAndFog(Game& g)
{
    drawLight(g, heroCentreX(g) - g.cameraX, heroCentreY(g) - g.cameraY, 255);
    for (const Blast& b : g.blasts)
        drawLight(g, b.x - g.cameraX, b.y - g.cameraY, 255 - b.age * 255 / (kBlastLife + 1));
    drawFog(g);
}
} // namespace

const SceneStage kSceneStages[] = {
    {"map tiles", drawTiles},
    {"terrain edges", drawPatches},
    {"sprites", drawSprites},
    {"lines and ellipses", drawShapes},
    {"light and fog", drawLightAndFog},
    {"zoom", drawZoom},
    {"interface", drawInterface},
};
const int kSceneStageCount = sizeof kSceneStages / sizeof kSceneStages[0];

bool prepareScene(Game& g)
{
    if (g.screen.pixels && g.preparedFormat == g.gfx->formatCode)
        return true;
    g.preparedFormat = g.gfx->formatCode;
    return makeSurface(g, g.screen, g.width, g.height) && makeSurface(g, g.patchUnder, 68, 34) &&
           makeSurface(g, g.patch, 68, 34) && makeSurface(g, g.lens, kLensWidth, kLensHeight) && prepareLighting(g);
}

void releaseScene(Game& g)
{
    releaseLighting(g);
    for (BITPLANEFX* s : {&g.screen, &g.patchUnder, &g.patch, &g.lens})
        if (s->pixels)
            g.gfx->release(s);
}

void drawScene(Game& g)
{
    g.gfx->gfxClearSystemBuffer(&g.screen);
    for (int i = 0; i < kSceneStageCount; ++i)
        kSceneStages[i].draw(g);
}
