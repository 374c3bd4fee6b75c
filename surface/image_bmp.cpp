// BITPLANEFX::loadBmp: a 24-bit BMP from the kept file bytes into the
// surface's pixel format.  Which BMP files are accepted, and how truncated
// ones are refused: surface/image_bmp_reader.h.
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/pixelformat.h>

#include "archive/entry_extent.h"
#include "surface/image_bmp_reader.h"

namespace {
// One loop per destination layout, each converting a row of B, G, R triples.
template <typename Convert>
void convertRows(BITPLANEFX& s, const vtl::BmpPicture& bmp, Convert convert)
{
    for (LONG y = 0; y < bmp.height; ++y) {
        const unsigned char* in = bmp.pixel(0, y);
        unsigned char* out = s.pixels + static_cast<size_t>(s.pitch) * static_cast<size_t>(y);
        for (LONG x = 0; x < bmp.width; ++x, in += 3)
            out = convert(out, in[0], in[1], in[2]);
    }
}

template <unsigned Code>
unsigned char* put16(unsigned char* out, unsigned char b, unsigned char g, unsigned char r)
{
    const unsigned long p = VTLPackColor(16, Code, r, g, b); // constant-folded per code
    out[0] = static_cast<unsigned char>(p);
    out[1] = static_cast<unsigned char>(p >> 8);
    return out + 2;
}

// False when the surface's depth and format code name no layout: its pixels
// stay black.
void convert(BITPLANEFX& s, const vtl::BmpPicture& bmp)
{
    switch (s.bitsPerPixel) {
    case 8:
        convertRows(s, bmp, [](unsigned char* o, unsigned char b, unsigned char g, unsigned char r) {
            *o = static_cast<unsigned char>((r & 0xE0) | ((g >> 5) << 2) | (b >> 6));
            return o + 1;
        });
        return;
    case 16:
        switch (s.format) {
        case PF_RGB555: convertRows(s, bmp, put16<PF_RGB555>); return;
        case PF_RGB565: convertRows(s, bmp, put16<PF_RGB565>); return;
        case PF_RGB555 | PF_BGR: convertRows(s, bmp, put16<PF_RGB555 | PF_BGR>); return;
        case PF_RGB565 | PF_BGR: convertRows(s, bmp, put16<PF_RGB565 | PF_BGR>); return;
        }
        return;
    case 24:
        if (s.format == PF_RGB24)
            convertRows(s, bmp, [](unsigned char* o, unsigned char b, unsigned char g, unsigned char r) {
                o[0] = b, o[1] = g, o[2] = r;
                return o + 3;
            });
        else if (s.format == (PF_RGB24 | PF_BGR))
            convertRows(s, bmp, [](unsigned char* o, unsigned char b, unsigned char g, unsigned char r) {
                o[0] = r, o[1] = g, o[2] = b;
                return o + 3;
            });
        return;
    case 32:
        if (s.format == PF_RGB32)
            convertRows(s, bmp, [](unsigned char* o, unsigned char b, unsigned char g, unsigned char r) {
                o[0] = b, o[1] = g, o[2] = r, o[3] = 0;
                return o + 4;
            });
        else if (s.format == (PF_RGB32 | PF_BGR))
            convertRows(s, bmp, [](unsigned char* o, unsigned char b, unsigned char g, unsigned char r) {
                o[0] = r, o[1] = g, o[2] = b, o[3] = 0;
                return o + 4;
            });
        return;
    }
}
} // namespace

bool BITPLANEFX::loadBmp()
{
    if (pixels && !release()) {
        Msg("BITPLANEFX::loadBmp() - Release");
        return false;
    }
    if (!vtl::checkBmp(fileData, vtl::entryBytesFrom(owner, fileData)).ok()) {
        Msg("Failed to load");
        return false;
    }
    const vtl::BmpPicture bmp = vtl::bmpPicture(fileData);
    if (!create(bmp.width, bmp.height, false)) {
        Msg("BITPLANEFX::ffload() - Surface create.");
        return false;
    }
    convert(*this, bmp);
    if (!setColorKey()) {
        Msg("BITPLANEFX::create() - setColorKey().");
        release();
        return false;
    }
    return true;
}
