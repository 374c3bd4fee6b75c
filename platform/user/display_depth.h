// The depth the display reports: the last mode set (by ChangeDisplaySettingsA
// or DirectDraw) or the desktop's own.  A palette display is 8 bits.
#ifndef VANTREL_PLATFORM_USER_DISPLAY_DEPTH_H
#define VANTREL_PLATFORM_USER_DISPLAY_DEPTH_H

namespace vtl {

unsigned displayDepth();

} // namespace vtl

#endif
