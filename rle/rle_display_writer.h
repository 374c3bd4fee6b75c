// Writes encoded pixels in the display's format: an opaque pixel is the
// owner's packColor of its colour, low byte first, bytesPerPixel bytes; a
// level pixel is its alpha byte followed by the colour faded to it (Fade8 or
// FadeLo/FadeHi of the packed pixel at 8 and 16 bits, the packed Scale8 of
// each channel at 24 and 32).
#ifndef VANTREL_RLE_RLE_DISPLAY_WRITER_H
#define VANTREL_RLE_RLE_DISPLAY_WRITER_H

#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

#include <climits>

#include "rle/rle_picture.h"

namespace vtl {
struct DisplayPixelWriter {
    const RLEFX& image;
    const RgbRows& rows;
    size_t opaqueBytes;
    size_t levelBytes;

    DisplayPixelWriter(const RLEFX& i, const RgbRows& r)
        : image(i), rows(r), opaqueBytes(i.bytesPerPixel), levelBytes(i.bytesPerPixel + 1u)
    {
    }

    unsigned long pack(unsigned char r, unsigned char g, unsigned char b) const
    {
        // An image set up by hand, without an owner, packs for its own format.
        return image.owner ? image.owner->packColor(r, g, b)
                           : VTLPackColor(image.bitsPerPixel, image.format, r, g, b);
    }
    void put(uint8_t* out, unsigned long pixel) const
    {
        for (size_t i = 0; i < opaqueBytes; ++i)
            out[i] = static_cast<uint8_t>(pixel >> (8 * i));
    }
    void opaque(uint8_t* out, LONG x, LONG y) const
    {
        const unsigned char* p = rows.pixel(x, y);
        put(out, pack(p[2], p[1], p[0]));
    }
    void level(uint8_t* out, LONG x, LONG y) const
    {
        const unsigned char* p = rows.pixel(x, y);
        const unsigned char a = p[3];
        out[0] = a;
        switch (opaqueBytes) {
        case 1:
            out[1] = Fade8[a][pack(p[2], p[1], p[0]) & 0xFF];
            break;
        case 2: {
            const unsigned long c = pack(p[2], p[1], p[0]) & 0xFFFF;
            put(out + 1, FadeLo[a][c & 0xFF] + FadeHi[a][c >> 8]);
            break;
        }
        default:
            put(out + 1, pack(Scale8[a][p[2]], Scale8[a][p[1]], Scale8[a][p[0]]));
            break;
        }
    }
};

// Codes the rows into `image` (one exact allocation); false when create
// fails, after create's own message.
template <class Picture>
bool encodeIntoImage(RLEFX& image, const Picture& picture, const RgbRows& rows)
{
    DisplayPixelWriter writer(image, rows);
    const uint64_t size = encodeRuns(picture, writer, nullptr);
    // create refuses runs too long for a 32-bit process, with its message.
    const unsigned long asked = size > ULONG_MAX ? ULONG_MAX : static_cast<unsigned long>(size);
    if (!image.create(picture.width, picture.height, asked))
        return false;
    encodeRuns(picture, writer, image.runs);
    return true;
}
} // namespace vtl

#endif
