// What the player asks for each tick, from the keyboard (arrows or WASD to
// move, Space or Ctrl to fire), the mouse (click to fire at the pointer) and
// the first joystick (stick to move, first button to fire, second for the
// menu), or from the automatic player.
#ifndef SHOWCASE_CONTROLS_H
#define SHOWCASE_CONTROLS_H

#include "game/game.h"

// Loads the joystick calibration (made with vantrel-joystick-calibration).
void setupJoystick(Game& g);
Command readControls(Game& g);
// The automatic run: walks a round through the map and shoots the nearest
// wisp; it opens and closes the menu once on the way.
Command autoPilot(Game& g);

#endif
