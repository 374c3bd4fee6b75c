// The menu, made of image buttons: a round menu button is always at the
// top right; it opens the menu (the game pauses), whose buttons resume,
// switch the sound, switch the magnifier and quit.  Clicks arrive at the
// game's window as WM_COMMAND with the button's id.
#ifndef SHOWCASE_MENU_H
#define SHOWCASE_MENU_H

#include "game/game.h"

enum : unsigned short {
    IdMenu = 100,
    IdResume = 101,
    IdSound = 102,
    IdZoom = 103,
    IdQuit = 104,
};

bool createMenuButton(Game& g);
void openMenu(Game& g);
void closeMenu(Game& g);
void destroyMenu(Game& g);
// A button's command; false for an id that is not the menu's.
bool menuCommand(Game& g, unsigned short id);
// The labels beside the menu's buttons (gfxString, after the frame is copied).
void drawMenuLabels(Game& g);

#endif
