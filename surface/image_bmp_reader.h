// The BMP files the library reads into surfaces, RLE images and alpha maps.
//
// Accepted: the "BM" signature, a 40-byte info header, width >= 1, a height
// other than 0 (positive: rows stored bottom-up; negative: top-down), 24 bits
// per pixel, no compression.  Pixel rows start at the file's pixel-data
// offset, which must be at least 54 (the offset right after the headers,
// where every such file written without gaps has them); an offset left at 0
// is taken as 54.  Each row holds
// width blue, green, red triples padded to a multiple of 4 bytes.
//
// Refused: other depths, palettes, compression, other header sizes, and any
// file whose rows do not all lie within its bytes (a truncated file is
// refused whole, before anything is allocated; only the padding after the
// last stored row may be missing).
#ifndef VANTREL_SURFACE_IMAGE_BMP_READER_H
#define VANTREL_SURFACE_IMAGE_BMP_READER_H

#include <vantrel/win32/types.h>

#include <cstddef>

#include "core/file_check.h"

namespace vtl {
struct BmpPicture {
    LONG width;
    LONG height;
    const unsigned char* topRow; // first pixel of the picture's top row
    ptrdiff_t rowStep;           // from one row to the row below it
    DWORD stride;                // bytes per stored row

    // Blue, green, red of pixel x in row y (0 = top).
    const unsigned char* pixel(LONG x, LONG y) const { return topRow + rowStep * y + 3 * x; }
};

// The rules above, in the order they are checked.
enum class BmpRefusal {
    Ok,
    NotBmp,         // no "BM" signature
    TooShort,       // value the file's bytes, limit the headers' 54
    InfoHeaderSize, // value the info header's size, limit 40
    BitsPerPixel,   // value the depth, limit 24
    Compressed,     // value the compression code
    NoWidth,        // value the width, limit 1
    NoHeight,       // a height of 0
    DataOffset,     // value the pixel data offset, limit 54
    TooWide,        // value the width, limit the widest row a 32-bit size holds
    TooTall,        // value the height, limit the tallest a 32-bit size holds
    CutShort,       // value the file's bytes, limit the bytes the rows need
};
using BmpCheck = FileCheck<BmpRefusal>;

// `available` is how many bytes `data` holds (kUnknownExtent to trust the
// header).  A null pointer is no BMP file.
BmpCheck checkBmp(const unsigned char* data, size_t available);

// The picture of a file checkBmp accepts.
BmpPicture bmpPicture(const unsigned char* data);
} // namespace vtl

#endif
