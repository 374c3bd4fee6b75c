// Reading, writing and converting pixels of every layout GDI draws into.
// Channels narrower than 8 bits widen by repeating their top bits, so that
// a full channel reads back as 255, and narrow by dropping their low bits,
// as the library's own colour packing does.
#include "platform/gdi/pixel_space.h"

#include <cstring>

namespace vtl {
namespace {

int lowestBit(DWORD mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int bitCount(DWORD mask)
{
    int n = 0;
    for (; mask; mask &= mask - 1)
        ++n;
    return n;
}

uint32_t packChannel(unsigned value, DWORD mask)
{
    const int n = bitCount(mask);
    if (n == 0)
        return 0;
    const uint32_t narrowed = n >= 8 ? static_cast<uint32_t>(value) << (n - 8) : value >> (8 - n);
    return (narrowed << lowestBit(mask)) & mask;
}

unsigned unpackChannel(uint32_t value, DWORD mask)
{
    const int n = bitCount(mask);
    if (n == 0)
        return 0;
    uint32_t v = (value & mask) >> lowestBit(mask);
    if (n >= 8)
        return v >> (n - 8);
    unsigned wide = 0;
    for (int filled = 0; filled < 8; filled += n)
        wide = (wide << n) | v;
    // `wide` holds ceil(8 / n) copies; keep the top 8 bits of them.
    const int total = ((8 + n - 1) / n) * n;
    return (wide >> (total - 8)) & 0xFF;
}

} // namespace

bool PixelSpace::sameLayout(const PixelSpace& o) const
{
    if (bits != o.bits || monochrome != o.monochrome)
        return false;
    if (bits > 8)
        return std::memcmp(masks, o.masks, sizeof masks) == 0;
    if (monochrome)
        return true;
    if (!colors || !o.colors)
        return colors == o.colors;
    return colorCount == o.colorCount &&
           std::memcmp(colors, o.colors, static_cast<size_t>(colorCount) * sizeof(RGBQUAD)) == 0;
}

uint32_t PixelSpace::read(int x, int y) const
{
    const unsigned char* row = top + static_cast<ptrdiff_t>(y) * stride;
    switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
    case 8: return row[x];
    case 16: {
        const unsigned char* p = row + x * 2;
        return static_cast<uint32_t>(p[0] | (p[1] << 8));
    }
    case 24: {
        const unsigned char* p = row + x * 3;
        return static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
    }
    default: {
        uint32_t v;
        std::memcpy(&v, row + x * 4, 4);
        return v;
    }
    }
}

void PixelSpace::write(int x, int y, uint32_t v)
{
    unsigned char* row = top + static_cast<ptrdiff_t>(y) * stride;
    switch (bits) {
    case 1: {
        const unsigned char bit = static_cast<unsigned char>(0x80 >> (x & 7));
        row[x >> 3] = static_cast<unsigned char>((v & 1) ? row[x >> 3] | bit : row[x >> 3] & ~bit);
        return;
    }
    case 4: {
        unsigned char& b = row[x >> 1];
        b = static_cast<unsigned char>((x & 1) ? (b & 0xF0) | (v & 0xF) : (b & 0x0F) | ((v & 0xF) << 4));
        return;
    }
    case 8: row[x] = static_cast<unsigned char>(v); return;
    case 16:
        row[x * 2] = static_cast<unsigned char>(v);
        row[x * 2 + 1] = static_cast<unsigned char>(v >> 8);
        return;
    case 24:
        row[x * 3] = static_cast<unsigned char>(v);
        row[x * 3 + 1] = static_cast<unsigned char>(v >> 8);
        row[x * 3 + 2] = static_cast<unsigned char>(v >> 16);
        return;
    default: std::memcpy(row + x * 4, &v, 4); return;
    }
}

uint32_t PixelSpace::pack(COLORREF color) const
{
    const unsigned r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    if (bits > 8)
        return packChannel(r, masks[0]) | packChannel(g, masks[1]) | packChannel(b, masks[2]);
    if (monochrome)
        return (r + g + b) / 3 >= 128 ? 1 : 0; // nearer white than black
    if (!colors)
        return static_cast<uint32_t>(VTLPackColor(8, PF_PAL8, static_cast<unsigned char>(r),
                                                  static_cast<unsigned char>(g), static_cast<unsigned char>(b)));
    uint32_t best = 0;
    long bestDistance = -1;
    for (int i = 0; i < colorCount; ++i) {
        const long dr = static_cast<long>(colors[i].rgbRed) - static_cast<long>(r);
        const long dg = static_cast<long>(colors[i].rgbGreen) - static_cast<long>(g);
        const long db = static_cast<long>(colors[i].rgbBlue) - static_cast<long>(b);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = static_cast<uint32_t>(i);
            bestDistance = distance;
            if (distance == 0)
                break;
        }
    }
    return best;
}

COLORREF PixelSpace::unpack(uint32_t v) const
{
    if (bits > 8)
        return RGB(unpackChannel(v, masks[0]), unpackChannel(v, masks[1]), unpackChannel(v, masks[2]));
    if (monochrome)
        return (v & 1) ? RGB(255, 255, 255) : RGB(0, 0, 0);
    if (!colors) {
        unsigned char r, g, b;
        VTLUnpackColor(8, PF_PAL8, v & 0xFF, &r, &g, &b);
        return RGB(r, g, b);
    }
    if (static_cast<int>(v) >= colorCount)
        return RGB(0, 0, 0);
    return RGB(colors[v].rgbRed, colors[v].rgbGreen, colors[v].rgbBlue);
}

PixelSpace spaceOf(unsigned char* pixels, DWORD pitch, int width, int height, const VTLPixelFormat& format)
{
    PixelSpace s;
    s.top = pixels;
    s.stride = static_cast<ptrdiff_t>(pitch);
    s.width = width;
    s.height = height;
    s.bits = format.bitsPerPixel;
    if (s.bits > 8) {
        s.masks[0] = format.redMask;
        s.masks[1] = format.greenMask;
        s.masks[2] = format.blueMask;
    }
    return s;
}

} // namespace vtl
