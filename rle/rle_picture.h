// The pictures the RLEFX encoders read: uncompressed rows of blue, green,
// red (and alpha) bytes in the kept file, with the pixel-kind rules of the
// two loaders.
#ifndef VANTREL_RLE_RLE_PICTURE_H
#define VANTREL_RLE_RLE_PICTURE_H

#include <vantrel/win32/types.h>

#include <cstddef>
#include <cstdint>

#include "rle/rle_encoder.h"

namespace vtl {
struct RgbRows {
    LONG width;
    LONG height;
    const unsigned char* topRow;
    ptrdiff_t rowStep;   // from a row to the one below it
    unsigned pixelBytes; // 3, or 4 with alpha

    const unsigned char* pixel(LONG x, LONG y) const { return topRow + rowStep * y + ptrdiff_t(pixelBytes) * x; }
    uint32_t color(LONG x, LONG y) const
    {
        const unsigned char* p = pixel(x, y);
        return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16; // red | green << 8 | blue << 16
    }
};

// Pixels of the top-left pixel's exact colour are transparent, all others
// opaque.
struct KeyedPicture {
    RgbRows rows;
    LONG width, height;
    uint32_t key;
    explicit KeyedPicture(const RgbRows& r)
        : rows(r), width(r.width), height(r.height), key(r.width > 0 && r.height > 0 ? r.color(0, 0) : 0)
    {
    }
    RunKind kind(LONG x, LONG y) const { return rows.color(x, y) == key ? RunKind::Skip : RunKind::Opaque; }
};

// The alpha byte decides: 0 transparent, 255 opaque, anything else a level.
struct AlphaPicture {
    RgbRows rows;
    LONG width, height;
    explicit AlphaPicture(const RgbRows& r) : rows(r), width(r.width), height(r.height) {}
    RunKind kind(LONG x, LONG y) const
    {
        const unsigned char a = rows.pixel(x, y)[3];
        return a == 0 ? RunKind::Skip : a == 255 ? RunKind::Opaque : RunKind::Level;
    }
};
} // namespace vtl

#endif
