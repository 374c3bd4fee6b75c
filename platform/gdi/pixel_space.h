// The pixels a device context draws into, in any layout GDI knows: 1, 4 and
// 8 bits through a colour table (or, for 8 bits without one, the fixed
// 3-3-2 layout of the display's 8-bit format), 16, 24 and 32 bits through
// three colour masks; rows top-down or bottom-up.
#ifndef VANTREL_PLATFORM_GDI_PIXEL_SPACE_H
#define VANTREL_PLATFORM_GDI_PIXEL_SPACE_H

#include <vantrel/win32/gdi_bitmaps.h>
#include <vantrel/win32/pixel_format.h>

#include <cstddef>
#include <cstdint>

namespace vtl {

struct PixelSpace {
    unsigned char* top = nullptr; // the first byte of the top row; null: nothing to draw on
    ptrdiff_t stride = 0;         // from a row to the one below it (negative for bottom-up rows)
    int width = 0;
    int height = 0;
    int bits = 0;                 // 1, 4, 8, 16, 24 or 32
    DWORD masks[3] = {};          // red, green, blue (16, 24 and 32 bits)
    const RGBQUAD* colors = nullptr; // 1, 4 and 8 bits; null at 8 bits: the 3-3-2 layout
    int colorCount = 0;
    bool monochrome = false;      // a 1-bit device bitmap: 0 black, 1 white

    bool drawable() const { return top != nullptr; }
    uint32_t valueMask() const { return bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1; }
    // Whether two spaces store the same colour as the same value.
    bool sameLayout(const PixelSpace& other) const;

    uint32_t read(int x, int y) const;
    void write(int x, int y, uint32_t value);
    // The value nearest a colour (an exact table entry first, else the
    // closest by squared distance), and the colour of a value.
    uint32_t pack(COLORREF color) const;
    COLORREF unpack(uint32_t value) const;
};

// The layout of a pixel format record (16, 24 and 32 bits through its
// masks, 8 bits as 3-3-2); its pixels, rows `pitch` apart, top-down.
PixelSpace spaceOf(unsigned char* pixels, DWORD pitch, int width, int height, const VTLPixelFormat& format);

} // namespace vtl

#endif
