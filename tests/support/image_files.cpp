#include "support/image_files.h"

#include <vantrel/pixelformat.h>

#include <algorithm>
#include <stdexcept>

namespace {
void put16(Bytes& b, size_t at, unsigned v)
{
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}
void put32(Bytes& b, size_t at, unsigned v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}
} // namespace

Bytes makeBmp24(int width, int height, const std::function<Rgba(int, int)>& pixel)
{
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    Bytes b(54 + stride * static_cast<size_t>(height));
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<unsigned>(b.size()));
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, static_cast<unsigned>(width));
    put32(b, 22, static_cast<unsigned>(height));
    put16(b, 26, 1);
    put16(b, 28, 24);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = &b[54 + stride * static_cast<size_t>(height - 1 - y)];
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixel(x, y);
            row[3 * x] = p.b;
            row[3 * x + 1] = p.g;
            row[3 * x + 2] = p.r;
        }
    }
    return b;
}

Bytes makeTga(unsigned type, unsigned depth, unsigned width, unsigned height, const Bytes& body, unsigned mapType,
              unsigned mapLength, unsigned mapEntryBits, unsigned idLength)
{
    Bytes b(18 + body.size());
    std::copy(body.begin(), body.end(), b.begin() + 18);
    b[0] = static_cast<unsigned char>(idLength);
    b[1] = static_cast<unsigned char>(mapType);
    b[2] = static_cast<unsigned char>(type);
    put16(b, 5, mapLength);
    b[7] = static_cast<unsigned char>(mapEntryBits);
    put16(b, 12, width);
    put16(b, 14, height);
    b[16] = static_cast<unsigned char>(depth);
    return b;
}

Bytes tgaRows(int width, int height, unsigned depth, const std::function<Rgba(int, int)>& pixel)
{
    Bytes out;
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixel(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            if (depth == 32)
                out.push_back(p.a);
        }
    return out;
}

void setDisplayFormat(VTLHND& handle, const DisplayFormat& format)
{
    VTLPixelFormat built{};
    if (!VTLBuildEffectTables(format.bits, format.red, format.green, format.blue, &built))
        throw std::runtime_error("no effect tables for the format");
    handle.formatCode = built.formatCode;
    handle.bitsPerPixel = built.bitsPerPixel;
    handle.bytesPerPixel = built.bytesPerPixel;
    handle.redMask = built.redMask;
    handle.greenMask = built.greenMask;
    handle.blueMask = built.blueMask;
}

unsigned long pixelAt(const BITPLANEFX& s, int x, int y)
{
    const unsigned char* p = s.pixels + s.pitch * y + x * s.bytesPerPixel;
    unsigned long v = 0;
    for (int i = 0; i < s.bytesPerPixel; ++i)
        v |= static_cast<unsigned long>(p[i]) << (8 * i);
    return v;
}
