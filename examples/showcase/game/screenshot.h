// The finished frame (text and buttons included) as a 24-bit BMP file, or,
// for a name ending in .tga, as a TGA in the display's depth written by
// BITPLANEFX::writeTga.
#ifndef SHOWCASE_SCREENSHOT_H
#define SHOWCASE_SCREENSHOT_H

#include "game/game.h"

#include <string>

// Reads the back buffer; call between gfxCopyBackBuffer (and the text) and
// gfxSwapBuffers.
bool saveScreenshot(Game& g, const std::string& path);

#endif
