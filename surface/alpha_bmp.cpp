// ALPHAFX::loadBmp: an alpha map from a BMP entry of the owner's archive,
// each pixel's alpha the mean of its three bytes.  The bytes are read in
// place and not kept (a map does not depend on the display format).  Which
// BMP files are accepted: surface/image_bmp_reader.h; any other, or one cut
// short, is refused with "Failed to load <name>" and leaves the map empty.
#include <vantrel/alphafx.h>
#include <vantrel/core.h>
#include <vantrel/fastfile.h>

#include "surface/image_bmp_reader.h"

bool ALPHAFX::loadBmp(const char* name)
{
    if (map && !release()) {
        Msg("ALPHAFX::loadBmp() - Release");
        return false;
    }
    if (!name) {
        Msg("ALPHAFX::loadBmp() - Null filename.");
        return false;
    }
    FastFile file{};
    if (!file.open(owner, name)) {
        Msg("ALPHAFX::loadBmp() - Fastfile::open");
        return false;
    }
    const unsigned char* bytes = static_cast<unsigned char*>(file.lock(0, 0));
    if (!vtl::checkBmp(bytes, file.fSize()).ok()) {
        Msg("Failed to load %s", name);
        file.close();
        return false;
    }
    const vtl::BmpPicture bmp = vtl::bmpPicture(bytes);
    if (!create(bmp.width, bmp.height)) {
        Msg("ALPHAFX::ffload() - Surface create.");
        file.close();
        return false;
    }
    for (LONG y = 0; y < bmp.height; ++y) {
        const unsigned char* in = bmp.pixel(0, y);
        unsigned char* out = map + static_cast<size_t>(pitch) * static_cast<size_t>(y);
        for (LONG x = 0; x < bmp.width; ++x, in += 3)
            out[x] = static_cast<unsigned char>((in[0] + in[1] + in[2]) / 3);
    }
    file.close();
    return true;
}
