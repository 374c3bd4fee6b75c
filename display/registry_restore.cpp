// The registry's restore walk.
#include "display/registry_walks.h"

#include <vantrel/vtlhnd.h>

// Images are rebuilt from their files by the loaders, which come with the
// archive; until then a registered image is made blank and keeps its pixels.
void vtl::restoreRegisteredImages(VTLHND&) {}
