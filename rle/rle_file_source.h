// What the RLEFX file loaders may read.
#ifndef VANTREL_RLE_RLE_FILE_SOURCE_H
#define VANTREL_RLE_RLE_FILE_SOURCE_H

#include <vantrel/rlefx.h>

#include <cstddef>

#include "archive/entry_extent.h"

namespace vtl {
// The kept file's length: fileSize, and no more than the archive entry that
// fileData points into holds.
inline size_t sourceBytes(const RLEFX& image)
{
    const size_t extent = entryBytesFrom(image.owner, image.fileData);
    return extent < image.fileSize ? extent : image.fileSize;
}

// The encoders write 1 to 4 bytes per pixel.
inline bool pixelSizeSupported(const RLEFX& image)
{
    return image.bytesPerPixel >= 1 && image.bytesPerPixel <= 4;
}
} // namespace vtl

#endif
