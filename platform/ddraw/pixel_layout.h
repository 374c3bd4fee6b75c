// Pixel layouts of emulated displays: depth and the three colour masks, as a
// display reports them in a DDPIXELFORMAT.
#ifndef VANTREL_PLATFORM_DDRAW_PIXEL_LAYOUT_H
#define VANTREL_PLATFORM_DDRAW_PIXEL_LAYOUT_H

#include <vantrel/win32/pixel_format.h>
#include <vantrel/win32/types.h>

namespace vtl {

struct PixelLayout {
    DWORD bits;  // 8, 16, 24 or 32
    DWORD red;   // masks; all 0 for the 8-bit palette layout
    DWORD green;
    DWORD blue;

    DWORD bytes() const { return bits / 8; }
    bool operator==(const PixelLayout& o) const
    {
        return bits == o.bits && red == o.red && green == o.green && blue == o.blue;
    }
    bool operator!=(const PixelLayout& o) const { return !(*this == o); }
};

// A desktop format as the window system reports it.  The 8-bit palette
// layout has no masks.
PixelLayout layoutOf(const VTLPixelFormat& format);

// The same layout with its format code, for the window system's device
// contexts.
VTLPixelFormat formatOf(const PixelLayout& layout);

// The layout of a full-screen mode of `bits`: the desktop's own layout when
// the depth matches it (so a BGR desktop keeps BGR full-screen modes), else
// red high: 5-6-5 for 16 bits, xRGB for 24 and 32, the palette for 8.
PixelLayout fullscreenLayout(DWORD bits, const PixelLayout& desktop);

// The lowest set bit of a colour mask (its shift) and how many bits it has;
// 0 for an empty mask.
int maskShift(DWORD mask);
int maskBits(DWORD mask);

} // namespace vtl

#endif
