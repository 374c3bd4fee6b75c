// Presenting inside the library: gfxBegin shows its cleared back buffer
// before the game has had a chance to give the window rectangle, so it
// presents without the game-facing checks of gfxSwapBuffers.
#ifndef VANTREL_DISPLAY_PRESENTATION_H
#define VANTREL_DISPLAY_PRESENTATION_H

class VTLHND;

namespace vtl {

// The flip in full screen or the copy into the window rectangle, with the
// restores gfxSwapBuffers makes.
bool presentBackBuffer(VTLHND& handle);

} // namespace vtl

#endif
