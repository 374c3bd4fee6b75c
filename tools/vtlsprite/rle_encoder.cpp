#include "rle_encoder.h"

#include <vantrel/rlefx.h>

namespace {
enum PixelClass { Skip, Opaque, Level };

void put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

uint32_t rgbOf(const uint8_t* p) { return static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2]; }

Transparency::Mode resolve(const Picture& picture, Transparency& rule)
{
    if (rule.mode == Transparency::Automatic)
        rule.mode = picture.hasAlpha ? Transparency::Alpha : Transparency::TopLeft;
    if (rule.mode == Transparency::TopLeft) {
        rule.key = rgbOf(picture.pixel(0, 0));
        rule.mode = Transparency::Key;
    }
    return rule.mode;
}

PixelClass classify(const uint8_t* p, const Transparency& rule)
{
    switch (rule.mode) {
    case Transparency::Alpha:
        return p[3] == 0 ? Skip : p[3] == 255 ? Opaque : Level;
    case Transparency::Key:
        return rgbOf(p) == rule.key ? Skip : Opaque;
    default:
        return Opaque;
    }
}
} // namespace

std::vector<uint8_t> encodeRle(const Picture& picture, Transparency rule)
{
    resolve(picture, rule);
    std::vector<uint8_t> out(15, 0);
    uint32_t stored = 0;
    for (int y = 0; y < picture.height; ++y) {
        // Transparent pixels at the end of a row need no run: the row simply
        // ends early.
        int end = picture.width;
        while (end > 0 && classify(picture.pixel(end - 1, y), rule) == Skip)
            --end;
        for (int x = 0; x < end;) {
            const PixelClass kind = classify(picture.pixel(x, y), rule);
            int n = 1;
            while (x + n < end && n < RLE_COUNT && classify(picture.pixel(x + n, y), rule) == kind)
                ++n;
            const unsigned flag = kind == Skip ? unsigned{RLE_SKIP} : kind == Level ? unsigned{RLE_LEVEL} : 0u;
            put16(out, flag | static_cast<unsigned>(n));
            for (int i = 0; kind != Skip && i < n; ++i) {
                const uint8_t* p = picture.pixel(x + i, y);
                if (kind == Level)
                    out.push_back(p[3]);
                out.insert(out.end(), p, p + 3);
            }
            if (kind != Skip)
                stored += static_cast<uint32_t>(n);
            x += n;
        }
        put16(out, 0);
    }
    out[0] = static_cast<uint8_t>(picture.width);
    out[1] = static_cast<uint8_t>(picture.width >> 8);
    out[2] = static_cast<uint8_t>(picture.height);
    out[3] = static_cast<uint8_t>(picture.height >> 8);
    for (int i = 0; i < 4; ++i)
        out[4 + i] = static_cast<uint8_t>(stored >> (8 * i));
    return out;
}
