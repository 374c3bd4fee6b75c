// Internal view of the image buttons for tests.
#ifndef VANTREL_WINDOW_IMAGE_BUTTONS_H
#define VANTREL_WINDOW_IMAGE_BUTTONS_H

namespace vtl {

// Buttons made by VTLCreateRLEButton and not yet destroyed.
int liveButtonCount();

} // namespace vtl

#endif
