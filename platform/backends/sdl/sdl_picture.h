// Where a native window shows the game's pixels: the display writes it each
// time it presents scaled (full screen, letterboxed), the window system reads
// it to turn pointer positions into the game's own coordinates.  A window
// with no picture shows the game one to one.
#ifndef VANTREL_PLATFORM_BACKENDS_SDL_SDL_PICTURE_H
#define VANTREL_PLATFORM_BACKENDS_SDL_SDL_PICTURE_H

#include <SDL.h>

namespace vtl {

struct Picture {
    SDL_Rect shown;             // in the native window's pixels
    int gameWidth, gameHeight;  // what is shown there, in game pixels
};

// The largest rectangle of the game's aspect inside `area`, centred.  With
// `wholeMultiples` (full screen) an integer multiple of the game's size when
// one (at least 1x) fits, the exact fit otherwise.
SDL_Rect fitPicture(int gameWidth, int gameHeight, int areaWidth, int areaHeight, bool wholeMultiples);

void setPicture(SDL_Window* window, const Picture& picture);
void clearPicture(SDL_Window* window);
bool pictureOf(SDL_Window* window, Picture* picture);

// Native window pixels to game pixels.  False when the point lies outside
// the picture (in a bar); *gameX/*gameY are then the nearest game pixel.
// Without a picture the point is passed through and true returned.
bool toGamePoint(SDL_Window* window, int x, int y, int* gameX, int* gameY);
// The other way: the native window pixel showing a game pixel, the first
// one of its scaled square, so that toGamePoint gives the game pixel back
// (where the picture is smaller than the game, the square it falls in).
// Without a picture the point is passed through.
void toNativePoint(SDL_Window* window, int gameX, int gameY, int* x, int* y);

} // namespace vtl

#endif
