// Turning primary-surface pixels of any emulated layout into 32-bit xRGB for
// a real display: 8-bit through the palette (the 3-3-2 colours when there is
// none), 16-bit in vector registers for the common layouts and through a
// table built once per layout for the others (see widen_rows.h), 24 and 32
// bits by their byte masks.  Each field is widened to 8 bits by repeating
// its top bits, so full intensity stays 255 and black stays 0.
#ifndef VANTREL_PLATFORM_DDRAW_PRESENT_CONVERT_H
#define VANTREL_PLATFORM_DDRAW_PRESENT_CONVERT_H

#include "platform/ddraw/display_backend.h"

#include <cstdint>

namespace vtl {

// Converts `area` of `image` (already inside it) into rows of 0x00RRGGBB
// pixels `outPitch` bytes apart.
void convertToXrgb(const PresentedImage& image, const RECT& area, uint32_t* out, int outPitch);
// The same with red and blue swapped: 0x00BBGGRR, bytes R, G, B, x in memory,
// for displays that take that order as it is (see sdl_window_renderer.cpp).
void convertToXbgr(const PresentedImage& image, const RECT& area, uint32_t* out, int outPitch);

} // namespace vtl

#endif
