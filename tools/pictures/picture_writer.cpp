// The two picture files the library's loaders read whatever their rules'
// details: nothing in them is optional, so nothing can be refused.
#include "picture.h"

namespace {
void put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
} // namespace

std::vector<uint8_t> encodeBmp24(const Picture& picture)
{
    const uint32_t stride = (static_cast<uint32_t>(picture.width) * 3 + 3) & ~3u;
    const uint32_t pixels = stride * static_cast<uint32_t>(picture.height);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + pixels);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(picture.width));
    put32(out, static_cast<uint32_t>(picture.height)); // positive: bottom row first
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // no compression
    put32(out, pixels);
    put32(out, 2835); // 72 dots per inch, as paint programs write
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    out.resize(54 + pixels, 0);
    uint8_t* row = out.data() + 54;
    for (int y = picture.height - 1; y >= 0; --y, row += stride)
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* p = picture.pixel(x, y);
            row[3 * x] = p[2];
            row[3 * x + 1] = p[1];
            row[3 * x + 2] = p[0];
        }
    return out;
}

std::vector<uint8_t> encodeTga(const Picture& picture)
{
    const unsigned bits = picture.hasAlpha ? 32 : 24;
    std::vector<uint8_t> out(18, 0);
    out[2] = 2; // uncompressed true colour
    out[12] = static_cast<uint8_t>(picture.width);
    out[13] = static_cast<uint8_t>(picture.width >> 8);
    out[14] = static_cast<uint8_t>(picture.height);
    out[15] = static_cast<uint8_t>(picture.height >> 8);
    out[16] = static_cast<uint8_t>(bits);
    out[17] = picture.hasAlpha ? 8 : 0; // alpha bits; origin bottom left
    out.reserve(18 + static_cast<size_t>(picture.width) * picture.height * bits / 8);
    for (int y = picture.height - 1; y >= 0; --y)
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* p = picture.pixel(x, y);
            out.insert(out.end(), {p[2], p[1], p[0]});
            if (picture.hasAlpha)
                out.push_back(p[3]);
        }
    return out;
}
