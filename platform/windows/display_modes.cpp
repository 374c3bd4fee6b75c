// On Windows a full-screen display changes the real mode (DirectDraw's
// SetDisplayMode): the desktop needs no emulated size.
#include <vantrel/seam/display_modes.h>

void vtl::setGameDisplaySize(DWORD, DWORD) {}
