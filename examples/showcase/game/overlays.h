// What is drawn over the playing field: the magnifier and the title that
// zooms in (scaled blits), the aiming reticle, the score panel and the menu.
#ifndef SHOWCASE_OVERLAYS_H
#define SHOWCASE_OVERLAYS_H

#include "game/game.h"

constexpr int kLensWidth = 120;
constexpr int kLensHeight = 90;
constexpr int kIntroTicks = 110;

void drawZoom(Game& g);
void drawReticle(Game& g);
void drawInterface(Game& g);

#endif
