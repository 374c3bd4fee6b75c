// WM_QUERYNEWPALETTE for a top-level window being activated: the first
// message of the activation, sent on a palette display only.
#ifndef VANTREL_PLATFORM_USER_PALETTE_ACTIVATION_H
#define VANTREL_PLATFORM_USER_PALETTE_ACTIVATION_H

#include <vantrel/win32/types.h>

namespace vtl {

void queryNewPalette(HWND top);

} // namespace vtl

#endif
