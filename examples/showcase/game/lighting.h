// Translucent light and fog, each a LUTFX: an index image drawn through a
// table of colours with their own opacity.  The light is a radial glow
// around the hero and every blast; the fog is a tiled noise image drifting
// over the map whose density comes and goes by rewriting the table alone.
#ifndef SHOWCASE_LIGHTING_H
#define SHOWCASE_LIGHTING_H

#include "game/game.h"

// Makes the index images and fills the tables for the display's format.
bool prepareLighting(Game& g);
void releaseLighting(Game& g);
// Rewrites the fog's table for this tick.
void updateFog(Game& g);
// A glow centred on the screen point (x, y); `strength` 0..255.
void drawLight(Game& g, int x, int y, int strength);
void drawFog(Game& g);

#endif
