// The hero, the partner's hero, the wisps, bolts and blasts: how they move
// and meet each tick.  Drawing is in scene.cpp.
#ifndef SHOWCASE_ACTORS_H
#define SHOWCASE_ACTORS_H

#include "game/game.h"

constexpr double kBoltSpeed = 9; // pixels a tick

// Frame labels of HERO.RLA.
enum HeroAction : unsigned short { HeroStand = 0, HeroWalk = 1 };

void placeHero(Game& g);
void spawnEnemies(Game& g);
void moveHero(Game& g, const Command& command);
void moveEnemies(Game& g);
// A bolt from the hero's wand; `remote` bolts come from the other player.
void fireBolt(Game& g, int x, int y, double dx, double dy, bool remote);
void moveBolts(Game& g);
void followCamera(Game& g);

// The direction (0 east, clockwise in eighths) of a step, or -1 for none.
int directionOf(int dx, int dy);

#endif
