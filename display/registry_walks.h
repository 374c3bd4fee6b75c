// The registry's walks over the handle's lists, run by the display lifecycle.
#ifndef VANTREL_DISPLAY_REGISTRY_WALKS_H
#define VANTREL_DISPLAY_REGISTRY_WALKS_H

class VTLHND;

namespace vtl {
// After a display set-up or restore: every registered surface and RLE image
// whose pixel settings differ from the display's takes the new settings and
// is rebuilt from its kept source.
void restoreRegisteredImages(VTLHND& handle);
} // namespace vtl

#endif
