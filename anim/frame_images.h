// The images a frame set makes for itself: allocation with the set's pixel
// settings, registration in the owner's list of RLE images, and release.
#ifndef VANTREL_ANIM_FRAME_IMAGES_H
#define VANTREL_ANIM_FRAME_IMAGES_H

#include <vantrel/win32/types.h>

class ANIMATIONFX;
class RLEFX;
class VTLHND;

namespace vtl {
// A zero-filled image carrying the set's owner and pixel settings and the
// given source; null when memory runs out.
RLEFX* newFrameImage(const ANIMATIONFX& set, unsigned char kind, unsigned char* data, DWORD size);
// Links a decoded image at the head of its owner's RLE list, as the registry
// does for images it loads itself.
void registerFrameImage(RLEFX* image);
// Hands a registered image back to its owner (freeing its runs and
// unlinking it) and frees the image object.  False when the owner refuses.
bool releaseFrameImage(RLEFX* image);
// Frees an image that was never registered.
void discardFrameImage(RLEFX* image);
} // namespace vtl

#endif
