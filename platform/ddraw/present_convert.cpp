#include "platform/ddraw/present_convert.h"

#include "platform/ddraw/widen_rows.h"

#include <vantrel/win32/pixel_format.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {

using vtl::maskBits;
using vtl::maskShift;

// One colour field of `pixel` widened to 8 bits.
uint32_t widen(DWORD pixel, DWORD mask)
{
    if (!mask)
        return 0;
    const int width = maskBits(mask);
    uint32_t v = (pixel & mask) >> maskShift(mask);
    if (width >= 8)
        return v >> (width - 8);
    uint32_t out = v << (8 - width);
    for (int shift = 8 - 2 * width; shift > -width; shift -= width)
        out |= shift >= 0 ? v << shift : v >> -shift;
    return out & 0xFF;
}

uint32_t xrgb(const vtl::PixelLayout& layout, DWORD pixel)
{
    return widen(pixel, layout.red) << 16 | widen(pixel, layout.green) << 8 | widen(pixel, layout.blue);
}

// The table of the last 16-bit layout shown (a game shows one at a time).
const uint32_t* table16(const vtl::PixelLayout& layout)
{
    static vtl::PixelLayout built{};
    static std::vector<uint32_t> table;
    if (table.empty() || built != layout) {
        table.resize(65536);
        for (DWORD p = 0; p < 65536; ++p)
            table[p] = xrgb(layout, p);
        built = layout;
    }
    return table.data();
}

void table8(const PALETTEENTRY* palette, bool blueHigh, uint32_t out[256])
{
    PALETTEENTRY fixed[256];
    if (!palette) {
        VTLPalette332(fixed);
        palette = fixed;
    }
    for (int i = 0; i < 256; ++i) {
        const uint32_t high = blueHigh ? palette[i].peBlue : palette[i].peRed;
        const uint32_t low = blueHigh ? palette[i].peRed : palette[i].peBlue;
        out[i] = high << 16 | uint32_t{palette[i].peGreen} << 8 | low;
    }
}

// Both output orders: xBGR is xRGB of the layout with red and blue swapped,
// so one set of tables and kernels serves both.
void convert(const vtl::PresentedImage& original, const RECT& area, uint32_t* out, int outPitch, bool blueHigh)
{
    vtl::PresentedImage image = original;
    if (blueHigh)
        std::swap(image.layout.red, image.layout.blue);
    const LONG w = area.right - area.left;
    const DWORD bytes = image.layout.bytes();
    uint32_t lut8[256];
    const uint32_t* lut16 = nullptr;
    // The common 16-bit layouts are widened in vector registers; the table
    // (which defines their result) serves the others.
    vtl::WidenRowFn widen16 = nullptr;
    if (image.layout.bits == 8)
        table8(image.palette, blueHigh, lut8);
    else if (image.layout.bits == 16 && !(widen16 = vtl::widenRowKernel(image.layout)))
        lut16 = table16(image.layout);
    const int rs = maskShift(image.layout.red), gs = maskShift(image.layout.green), bs = maskShift(image.layout.blue);

    for (LONG y = area.top; y < area.bottom; ++y) {
        const unsigned char* src = image.pixels + static_cast<size_t>(y) * image.pitch + area.left * bytes;
        uint32_t* dst = reinterpret_cast<uint32_t*>(reinterpret_cast<unsigned char*>(out) +
                                                    static_cast<size_t>(y - area.top) * outPitch);
        switch (image.layout.bits) {
        case 8: {
            // Four indices per load: the stores then need not wait for a
            // reload of the source after each one (a byte may alias them).
            LONG x = 0;
            for (; x + 4 <= w; x += 4) {
                uint32_t four;
                std::memcpy(&four, src + x, 4);
                dst[x] = lut8[four & 0xFF];
                dst[x + 1] = lut8[(four >> 8) & 0xFF];
                dst[x + 2] = lut8[(four >> 16) & 0xFF];
                dst[x + 3] = lut8[four >> 24];
            }
            for (; x < w; ++x)
                dst[x] = lut8[src[x]];
            break;
        }
        case 16:
            if (widen16) {
                widen16(dst, src, static_cast<unsigned>(w));
                break;
            }
            for (LONG x = 0; x < w; ++x)
                dst[x] = lut16[src[2 * x] | src[2 * x + 1] << 8];
            break;
        default:
            // 24 and 32 bits: every field is a whole byte.
            for (LONG x = 0; x < w; ++x, src += bytes) {
                const DWORD p = src[0] | src[1] << 8 | static_cast<DWORD>(src[2]) << 16;
                dst[x] = ((p >> rs) & 0xFF) << 16 | ((p >> gs) & 0xFF) << 8 | ((p >> bs) & 0xFF);
            }
            break;
        }
    }
}

} // namespace

void vtl::convertToXrgb(const PresentedImage& image, const RECT& area, uint32_t* out, int outPitch)
{
    convert(image, area, out, outPitch, false);
}

void vtl::convertToXbgr(const PresentedImage& image, const RECT& area, uint32_t* out, int outPitch)
{
    convert(image, area, out, outPitch, true);
}
