// The rectangle ClipCursor keeps the pointer in (screen coordinates, right
// and bottom edges outside), or none.
#ifndef VANTREL_PLATFORM_USER_POINTER_CLIP_H
#define VANTREL_PLATFORM_USER_POINTER_CLIP_H

#include <vantrel/win32/types.h>

namespace vtl {

// A screen point moved inside the rectangle, if one is set.
POINT clipPoint(POINT screen);

} // namespace vtl

#endif
