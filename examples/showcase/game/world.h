// The ground: a map of animated tiles, sand clearings whose edges are soft
// patches blended through the alpha map, and what can be walked on.
#ifndef SHOWCASE_WORLD_H
#define SHOWCASE_WORLD_H

#include "game/game.h"

// Lays out the map (the same every run) and binds a Tile to each cell.
bool buildWorld(Game& g);
void destroyWorld(Game& g);
// Whether a box of the given size at world (x, y) stands only on open ground.
bool walkable(const Game& g, int x, int y, int size);
void advanceTiles(Game& g);
void drawTiles(Game& g);
void drawPatches(Game& g);
int mapPixelWidth();
int mapPixelHeight();

#endif
