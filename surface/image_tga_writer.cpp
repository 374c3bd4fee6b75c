// BITPLANEFX::writeTga: an area of a surface as an uncompressed TGA file
// that loadTga reads back to the same pixels (see bitplanefx.h).
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/pixelformat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
unsigned long pixelAt(const BITPLANEFX& s, LONG x, LONG y)
{
    const unsigned char* p = s.pixels + size_t(s.pitch) * size_t(y) + size_t(x) * s.bytesPerPixel;
    unsigned long v = 0;
    for (unsigned i = 0; i < s.bytesPerPixel && i < 4; ++i)
        v |= static_cast<unsigned long>(p[i]) << (8 * i);
    return v;
}

void put16(std::vector<unsigned char>& out, unsigned v)
{
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

// The 18-byte header: no ID, a colour map only for 8-bit images, origin 0,
// rows bottom-up (descriptor bit 5 clear), alpha bits for 32-bit images.
void putHeader(std::vector<unsigned char>& out, unsigned depth, LONG width, LONG height)
{
    const bool mapped = depth == 8;
    out.push_back(0);
    out.push_back(mapped ? 1 : 0);
    out.push_back(mapped ? 1 : 2);
    put16(out, 0);
    put16(out, mapped ? 256 : 0);
    out.push_back(mapped ? 24 : 0);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<unsigned>(width));
    put16(out, static_cast<unsigned>(height));
    out.push_back(static_cast<unsigned char>(depth));
    out.push_back(depth == 32 ? 8 : 0);
    if (mapped) {
        PALETTEENTRY palette[256];
        VTLPalette332(palette);
        for (const PALETTEENTRY& e : palette) {
            out.push_back(e.peBlue);
            out.push_back(e.peGreen);
            out.push_back(e.peRed);
        }
    }
}
} // namespace

bool BITPLANEFX::writeTga(const char* name, unsigned short x, unsigned short y, unsigned short areaWidth,
                          unsigned short areaHeight) const
{
    if (!pixels || (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)) {
        Msg("BITPLANEFX::writeTga() - No surface.");
        return false;
    }
    const LONG right = std::min<LONG>(LONG(x) + areaWidth, width);
    const LONG bottom = std::min<LONG>(LONG(y) + areaHeight, height);
    if (!name || LONG(x) >= right || LONG(y) >= bottom) {
        Msg("BITPLANEFX::writeTga() - Empty area.");
        return false;
    }
    const LONG w = right - x, h = bottom - y;
    std::vector<unsigned char> file;
    file.reserve(18 + 768 + size_t(w) * size_t(h) * 4);
    putHeader(file, bitsPerPixel, w, h);
    for (LONG row = bottom - 1; row >= LONG(y); --row) {
        for (LONG col = x; col < right; ++col) {
            const unsigned long p = pixelAt(*this, col, row);
            if (bitsPerPixel == 8) {
                file.push_back(static_cast<unsigned char>(p));
                continue;
            }
            unsigned char r = 0, g = 0, b = 0;
            VTLUnpackColor(bitsPerPixel, format, p, &r, &g, &b);
            if (bitsPerPixel == 16) {
                // Unpacking leaves each field in the top bits of its byte.
                put16(file, unsigned(r >> 3) << 10 | unsigned(g >> 3) << 5 | unsigned(b >> 3));
                continue;
            }
            file.push_back(b);
            file.push_back(g);
            file.push_back(r);
            if (bitsPerPixel == 32)
                file.push_back(alpha ? alpha[size_t(row) * size_t(width) + size_t(col)] : 255);
        }
    }
    std::FILE* out = std::fopen(name, "wb");
    bool written = out && std::fwrite(file.data(), 1, file.size(), out) == file.size();
    int why = errno;
    if (out && std::fclose(out) != 0 && written) {
        written = false;
        why = errno;
    }
    if (!written) {
        Msg("BITPLANEFX::writeTga() - Cannot write %s: %s.", name, std::strerror(why));
        return false;
    }
    return true;
}
