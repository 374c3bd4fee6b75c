// The display's losses: a mode change, or a full-screen game minimised, takes
// the display from every surface in display memory.  A surface remembers the
// count when it was made or restored, and is lost once the count has moved.
#ifndef VANTREL_PLATFORM_DDRAW_DISPLAY_LOSS_H
#define VANTREL_PLATFORM_DDRAW_DISPLAY_LOSS_H

namespace vtl {

// Rises each time the display is lost.
unsigned displayLossCount();
// Every surface in display memory (all but DDSCAPS_SYSTEMMEMORY ones) of
// every device becomes lost.
void noteDisplayLoss();

} // namespace vtl

#endif
