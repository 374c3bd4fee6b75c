// Releasing the display objects.
#include <vantrel/vtlhnd.h>

// The display device arrives with the display set-up; until then a handle
// never holds display objects, so there is nothing to release.
void VTLHND::DDDisable(bool) {}
