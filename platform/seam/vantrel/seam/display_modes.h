// The full-screen modes the display device offers: 640 x 480, 800 x 600 and
// 1024 x 768, plus the game's own size, each at 8, 16, 24 and 32 bits (the
// real display scales them).  The library hands the game's size over when the
// game sets its display up, so that the mode list, and the configuration
// dialog built on it, always offers the size the game asks for.
#ifndef VANTREL_SEAM_DISPLAY_MODES_H
#define VANTREL_SEAM_DISPLAY_MODES_H

#include <vantrel/win32/types.h>

namespace vtl {
void setGameDisplaySize(DWORD width, DWORD height);

// The listed sizes, smallest first: returns how many (at most four).
struct DisplayModeSize {
    DWORD width, height;
};
int listedDisplaySizes(DisplayModeSize sizes[4]);
bool isDisplayModeListed(DWORD width, DWORD height, DWORD bitsPerPixel);
} // namespace vtl

#endif
