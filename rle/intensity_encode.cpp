// COLORFX and MONOFX from BMP and TGA pictures: each pixel becomes its
// intensity, transparent pixels become skip runs.
//
// Accepted pictures: 24-bit uncompressed BMP (40-byte info header; rows
// bottom-up, or top-down for a negative height; pixels from the data offset
// in the file header) and uncompressed true-colour TGA (type 2, no colour
// map) of depth 24 or 32, bottom-up or top-down.  Anything else, and any
// picture whose pixels would run past the end of the file, is refused with
// the class's "Failed to load" message and leaves the image empty.
#include <vantrel/core.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>

#include "rle/intensity_names.h"

namespace vtl {
namespace {

enum PixelKind : uint8_t { kSkip, kOpaque, kLevel };

struct Classified {
    PixelKind kind;
    uint8_t level;
    uint8_t value; // intensity (opaque) or pre-scaled intensity (level)
};

unsigned read16(const uint8_t* p) { return p[0] | (unsigned{p[1]} << 8); }
uint32_t read32(const uint8_t* p) { return read16(p) | (uint32_t{read16(p + 2)} << 16); }

// Codes the picture row by row (top row first), runs at most RLE_COUNT long.
// With `out` null only counts the bytes.
template <class Get>
size_t encodeRows(int w, int h, Get get, uint8_t* out)
{
    size_t at = 0;
    auto word = [&](size_t pos, unsigned v) {
        if (out) {
            out[pos] = static_cast<uint8_t>(v);
            out[pos + 1] = static_cast<uint8_t>(v >> 8);
        }
    };
    for (int r = 0; r < h; ++r) {
        int c = 0;
        while (c < w) {
            const PixelKind kind = get(c, r).kind;
            const size_t wordAt = at;
            at += 2;
            unsigned n = 0;
            for (; c < w && n < RLE_COUNT; ++c, ++n) {
                const Classified px = get(c, r);
                if (px.kind != kind)
                    break;
                if (kind == kLevel) {
                    if (out) {
                        out[at] = px.level;
                        out[at + 1] = px.value;
                    }
                    at += 2;
                } else if (kind == kOpaque) {
                    if (out)
                        out[at] = px.value;
                    at += 1;
                }
            }
            const unsigned bits = kind == kSkip ? unsigned{RLE_SKIP} : kind == kLevel ? unsigned{RLE_LEVEL} : 0u;
            word(wordAt, n | bits);
        }
        word(at, 0);
        at += 2;
    }
    return at;
}

template <class Get>
bool encodeImage(RLEFX& image, int w, int h, Get get, const IntensityNames& names, const char* createFailed)
{
    const size_t size = encodeRows(w, h, get, nullptr);
    // createIntensity refuses runs too long for a 32-bit process, with its
    // message (size_t and unsigned long are one width here).
    if (!createIntensity(image, w, h, static_cast<unsigned long>(size), names)) {
        Msg("%s", createFailed);
        return false;
    }
    encodeRows(w, h, get, image.runs);
    return true;
}

// The picture's rows: `base` is the first stored row, rows `stride` apart,
// stored bottom-up unless `topDown`.
struct Rows {
    const uint8_t* base;
    size_t stride;
    int height;
    bool topDown;
    const uint8_t* row(int r) const
    {
        return base + stride * static_cast<size_t>(topDown ? r : height - 1 - r);
    }
};

// Keyed pictures: the top-left pixel's colour is transparent, compared
// exactly on the file's bytes.
template <int B>
auto keyedPixels(const Rows& rows)
{
    const uint8_t* tl = rows.row(0);
    const uint32_t key = tl[0] | (uint32_t{tl[1]} << 8) | (uint32_t{tl[2]} << 16);
    return [rows, key](int c, int r) {
        const uint8_t* p = rows.row(r) + static_cast<size_t>(c) * B;
        const uint32_t colour = p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16);
        if (colour == key)
            return Classified{kSkip, 0, 0};
        return Classified{kOpaque, 0, intensity(p[2], p[1], p[0])};
    };
}

bool refuse(RLEFX& image, const char* text)
{
    image.release();
    Msg("%s", text);
    return false;
}

} // namespace

bool encodeIntensityBmp(RLEFX& image, const IntensityNames& names)
{
    if (image.runs && !image.release())
        Msg("%s", "RLEFX::loadBmp() - Release");
    const uint8_t* f = image.fileData;
    const size_t size = image.fileSize;
    if (!f || size < 54 || read16(f) != 0x4D42 || read32(f + 14) != 40)
        return refuse(image, names.bmpBadFile);
    const auto width = static_cast<int32_t>(read32(f + 18));
    const auto height = static_cast<int32_t>(read32(f + 22));
    const uint32_t offset = read32(f + 10) < 54 ? 54 : read32(f + 10);
    if (read16(f + 28) != 24 || read32(f + 30) != 0 || width <= 0 || height == 0 || height == INT32_MIN)
        return refuse(image, names.bmpBadFile);
    const int h = height < 0 ? -height : height;
    const size_t stride = (size_t{3} * static_cast<size_t>(width) + 3) & ~size_t{3};
    if (offset > size || (size - offset) / stride < static_cast<size_t>(h))
        return refuse(image, names.bmpBadFile);

    const Rows rows{f + offset, stride, h, height < 0};
    if (!encodeImage(image, width, h, keyedPixels<3>(rows), names, "RLEFX::loadBmp() - Surface create."))
        return false;
    image.kind = RLE_KIND_BMP;
    return true;
}

bool encodeIntensityTga(RLEFX& image, const IntensityNames& names)
{
    const uint8_t* f = image.fileData;
    const size_t size = image.fileSize;
    if (!f || size < 18 || f[1] != 0 || f[2] != 2 || (f[16] != 24 && f[16] != 32))
        return refuse(image, names.tgaBadFile);
    const int width = static_cast<int>(read16(f + 12));
    const int height = static_cast<int>(read16(f + 14));
    const int bytes = f[16] / 8;
    const size_t offset = 18 + size_t{f[0]};
    const size_t stride = static_cast<size_t>(width) * static_cast<size_t>(bytes);
    if (offset > size || (stride && (size - offset) / stride < static_cast<size_t>(height)))
        return refuse(image, names.tgaBadFile);
    if (width == 0 || height == 0) {
        // No pixels to read: an image of that size with one empty row each.
        if (!encodeImage(image, width, height, [](int, int) { return Classified{kSkip, 0, 0}; }, names,
                         "RLEFX::loadTga() - create()"))
            return false;
        image.kind = RLE_KIND_TGA;
        return true;
    }

    const Rows rows{f + offset, stride, height, (f[17] & 0x20) != 0};
    bool ok;
    if (bytes == 4) {
        // The alpha byte decides: 0 transparent, 255 opaque, else a level.
        auto get = [rows](int c, int r) {
            const uint8_t* p = rows.row(r) + static_cast<size_t>(c) * 4;
            const uint8_t a = p[3];
            const uint8_t i = intensity(p[2], p[1], p[0]);
            if (a == 0)
                return Classified{kSkip, 0, 0};
            if (a == 255)
                return Classified{kOpaque, 0, i};
            return Classified{kLevel, a, Scale8[a][i]};
        };
        ok = encodeImage(image, width, height, get, names, "RLEFX::loadTga() - create()");
    } else {
        ok = encodeImage(image, width, height, keyedPixels<3>(rows), names, "RLEFX::loadTga() - create()");
    }
    if (!ok)
        return false;
    image.kind = RLE_KIND_TGA;
    return true;
}

} // namespace vtl
