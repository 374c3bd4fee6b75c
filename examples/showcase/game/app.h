// The game from start to end: its window, the display (through the
// configuration dialog unless --window or --fullscreen), its data, the
// window procedure and the message loop.
#ifndef SHOWCASE_APP_H
#define SHOWCASE_APP_H

#include "game/options.h"

// Returns the process's exit code.
int runGame(const Options& options);

#endif
