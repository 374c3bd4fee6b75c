// The registry's walks over the handle's lists, run by the display lifecycle.
#ifndef VANTREL_DISPLAY_REGISTRY_WALKS_H
#define VANTREL_DISPLAY_REGISTRY_WALKS_H

class VTLHND;

namespace vtl {
// After a display set-up or restore: every registered surface and RLE image
// whose pixel settings differ from the display's takes the new settings and
// is rebuilt from its kept source.
void restoreRegisteredImages(VTLHND& handle);

// At shutdown (gfxEnd): every registered alpha map, surface and RLE image is
// released through its own release, and those three lists emptied.
// Animation sets, sounds and streams are not touched.
void releaseRegisteredImages(VTLHND& handle);
} // namespace vtl

#endif
