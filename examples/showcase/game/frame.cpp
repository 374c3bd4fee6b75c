#include "game/frame.h"

#include "game/actors.h"
#include "game/controls.h"
#include "game/lighting.h"
#include "game/menu.h"
#include "game/network.h"
#include "game/scene.h"
#include "game/screenshot.h"
#include "game/sound_effects.h"
#include "game/world.h"

#include <cstdio>

namespace {
void drawText(Game& g)
{
    char line[128];
    std::snprintf(line, sizeof line, "Score %d   Lives %d", g.score, g.lives);
    g.gfx->gfxString(line, g.font, RGB(255, 240, 170), 10, 4, 0);
    std::snprintf(line, sizeof line, "%u fps  %u-bit  music: %s", g.fps, g.gfx->bitsPerPixel, musicSource(g));
    g.gfx->gfxString(line, g.smallFont, RGB(200, 215, 255), 10, 26, 0);
    if (g.partnerSeen) {
        // The host is player 1, the one who joins player 2.
        const char* name = g.options.hostPort ? "player 2" : "player 1";
        g.gfx->gfxString(const_cast<char*>(name), g.smallFont, RGB(210, 170, 255),
                         static_cast<short>(g.partner.getX() + kHeroSize / 2 - g.cameraX),
                         static_cast<short>(g.partner.getY() - 18 - g.cameraY), 1);
    }
    if (const char* status = networkStatus(g))
        g.gfx->gfxString(const_cast<char*>(status), g.smallFont, RGB(255, 170, 150), 10,
                         static_cast<short>(g.height - 40), 0);
    // F2 switches to the other mode, so the line names that one.
    char help[128];
    std::snprintf(help, sizeof help, "Arrows/WASD move   Space or click fires   M menu   Z magnifier   F2 %s   Esc quits",
                  g.gfx->fullscreen() ? "window" : "full screen");
    g.gfx->gfxString(help, g.smallFont, RGB(230, 230, 230), static_cast<short>(g.width / 2),
                     static_cast<short>(g.height - 20), 1);
    // An open menu is the only thing over the game: a message waits until
    // it closes (its time does not run while the game is paused).
    if (g.messageTicks > 0 && !g.menuOpen)
        g.gfx->gfxString(const_cast<char*>(g.message), g.font, RGB(255, 255, 255), static_cast<short>(g.width / 2),
                         static_cast<short>(g.height / 2 + 60), 1);
    drawMenuLabels(g);
}

void countFrame(Game& g)
{
    ++g.frames;
    ++g.framesThisSecond;
    const DWORD now = GetTickCount();
    if (now - g.secondStarted >= 1000) {
        g.fps = g.framesThisSecond;
        g.framesThisSecond = 0;
        g.secondStarted = now;
        keepMusicPlaying(g);
    }
}
} // namespace

void showMessage(Game& g, const char* text, int ticks)
{
    g.message = text;
    g.messageTicks = ticks;
}

void playTick(Game& g, const Command& command)
{
    ++g.tick;
    moveHero(g, command);
    moveEnemies(g);
    moveBolts(g);
    followCamera(g);
    if (g.tick % 6 == 0)
        advanceTiles(g);
    if (g.tick % 4 == 0)
        updateFog(g);
    if (g.messageTicks > 0)
        --g.messageTicks;
}

bool runFrame(Game& g)
{
    if (!prepareScene(g))
        return true;
    if (g.menuClosing) {
        g.menuClosing = false;
        closeMenu(g);
    }
    const Command command = g.options.idle ? Command() : g.options.automatic ? autoPilot(g) : readControls(g);
    if (!g.menuOpen)
        playTick(g, command);
    watchPartner(g);
    sendState(g);
    drawScene(g);
    countFrame(g);

    g.gfx->gfxCopyBackBuffer(&g.screen);
    drawText(g);
    const bool last = g.options.frames && g.frames >= g.options.frames;
    // The automatic run's picture is of its last frame alone: a tick that
    // comes while the window is being destroyed does not replace it.
    const bool lastShot = g.options.frames && g.frames == g.options.frames;
    if ((lastShot || g.screenshotRequested) && !g.options.screenshot.empty()) {
        if (!saveScreenshot(g, g.options.screenshot))
            std::fprintf(stderr, "vantrel-demo: cannot write %s\n", g.options.screenshot.c_str());
    }
    g.screenshotRequested = false;
    // A full-screen display that could not be restored in the swap is
    // tried again on the next frame.
    if (!g.gfx->gfxSwapBuffers() && !g.gfx->primary)
        g.gfx->RestoreAll();
    return !last;
}
