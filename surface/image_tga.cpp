// BITPLANEFX::loadTga: a TGA from the kept file bytes into the surface,
// through the owner's packColor.  Which TGA files are accepted:
// surface/image_tga_reader.h.  A refused or truncated file leaves the
// surface empty (released) and returns false with "Failed to load"; an
// image type the library does not read gives a black surface of the
// header's size, as a game written for this loader expects.
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/pixelformat.h>
#include <vantrel/vtlhnd.h>

#include "archive/entry_extent.h"
#include "surface/image_tga_reader.h"

namespace {
unsigned long pack(BITPLANEFX& s, unsigned char r, unsigned char g, unsigned char b)
{
    // Surfaces are made by the handle, which records itself as the owner; a
    // surface set up by hand packs for its own recorded format.
    if (s.owner)
        return s.owner->packColor(r, g, b);
    return VTLPackColor(s.bitsPerPixel, s.format, r, g, b);
}

void store(BITPLANEFX& s, LONG x, LONG y, unsigned long pixel)
{
    unsigned char* out = s.pixels + static_cast<size_t>(s.pitch) * static_cast<size_t>(y) +
                         static_cast<size_t>(x) * s.bytesPerPixel;
    for (unsigned i = 0; i < s.bytesPerPixel && i < 4; ++i)
        out[i] = static_cast<unsigned char>(pixel >> (8 * i));
}
} // namespace

bool BITPLANEFX::loadTga()
{
    vtl::TgaImage tga;
    if (!vtl::checkTga(fileData, vtl::entryBytesFrom(owner, fileData), vtl::TgaUse::Surface, tga).ok()) {
        release();
        Msg("Failed to load");
        return false;
    }
    if (!create(static_cast<int>(tga.width), static_cast<int>(tga.height), tga.depth == 32)) {
        Msg("BITPLANEFX::loadTga() - create()");
        return false;
    }
    if (!tga.knownType)
        return true;

    // The first pixel in the file is the bottom-left one; rows go upward.
    vtl::TgaPixelStream stream(tga);
    const LONG w = width, h = height;
    for (LONG y = h - 1; y >= 0; --y) {
        for (LONG x = 0; x < w; ++x) {
            unsigned char r, g, b, a;
            if (!stream.next(r, g, b, a)) {
                release();
                Msg("Failed to load");
                return false;
            }
            store(*this, x, y, pack(*this, r, g, b));
            if (alpha)
                alpha[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = a;
        }
    }
    return true;
}

// Writing files is not part of this library; kept so that games calling it
// still build.
bool BITPLANEFX::saveTga(const char*, unsigned short, unsigned short, unsigned short, unsigned short)
{
    return true;
}
