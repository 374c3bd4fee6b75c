// One timer tick: the game moves on (unless the menu is open), the scene is
// drawn, copied to the back buffer with the text on top, and shown.
#ifndef SHOWCASE_FRAME_H
#define SHOWCASE_FRAME_H

#include "game/game.h"

// Moves everything on by one tick of play.
void playTick(Game& g, const Command& command);
// The whole frame; false once the automatic run has shown its last frame.
bool runFrame(Game& g);

#endif
