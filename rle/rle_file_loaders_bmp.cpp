// RLEFX::loadBmp: a 24-bit BMP coded into runs, the top-left pixel's exact
// colour transparent.  Which BMP files are accepted and how truncated ones
// are refused: surface/image_bmp_reader.h.  The bytes read are bounded by
// both fileSize and the archive entry fileData lies in.
#include <vantrel/core.h>
#include <vantrel/rlefx.h>

#include "rle/rle_display_writer.h"
#include "rle/rle_file_source.h"
#include "surface/image_bmp_reader.h"

bool RLEFX::loadBmp()
{
    if (runs)
        release();
    if (!vtl::pixelSizeSupported(*this) || !vtl::checkBmp(fileData, vtl::sourceBytes(*this)).ok()) {
        Msg("Failed to load");
        return false;
    }
    const vtl::BmpPicture bmp = vtl::bmpPicture(fileData);
    const vtl::RgbRows rows{bmp.width, bmp.height, bmp.topRow, bmp.rowStep, 3};
    if (!vtl::encodeIntoImage(*this, vtl::KeyedPicture(rows), rows)) {
        Msg("RLEFX::loadBmp() - Surface create.");
        return false;
    }
    kind = RLE_KIND_BMP;
    return true;
}
