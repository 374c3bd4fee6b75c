// RLEFX::loadTga: an uncompressed true-colour TGA (type 2) coded into runs.
// Depth 32: the alpha byte decides (0 skip, 255 opaque, else a level pixel);
// depth 24: the top-left pixel's exact colour is transparent.  Any other
// type or depth, and any file whose pixels are not all within its bytes, is
// refused with "Failed to load" and leaves the image empty, so that an image
// re-coded after a display change never keeps runs of the old pixel size.
#include <vantrel/core.h>
#include <vantrel/rlefx.h>

#include "rle/rle_display_writer.h"
#include "rle/rle_file_source.h"
#include "surface/image_tga_reader.h"

bool RLEFX::loadTga()
{
    vtl::TgaImage tga;
    if (!vtl::pixelSizeSupported(*this) ||
        !vtl::checkTga(fileData, vtl::sourceBytes(*this), vtl::TgaUse::RunImage, tga).ok()) {
        release();
        Msg("Failed to load");
        return false;
    }
    const unsigned pixelBytes = tga.depth / 8;
    const ptrdiff_t stride = ptrdiff_t(tga.width) * pixelBytes;
    const LONG w = LONG(tga.width), h = LONG(tga.height);
    const unsigned char* top = h > 0 ? tga.data + stride * (h - 1) : tga.data;
    const vtl::RgbRows rows{w, h, top, -stride, pixelBytes};
    const bool made = pixelBytes == 4 ? vtl::encodeIntoImage(*this, vtl::AlphaPicture(rows), rows)
                                      : vtl::encodeIntoImage(*this, vtl::KeyedPicture(rows), rows);
    if (!made) {
        Msg("RLEFX::loadTga() - create()");
        return false;
    }
    kind = RLE_KIND_TGA;
    return true;
}
