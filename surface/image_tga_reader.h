// The TGA files the library reads into surfaces and RLE images.
//
// Header (18 bytes): ID length, colour map type, image type, colour map
// layout (first index, length, entry size), origin, width, height,
// pixel depth, descriptor.  Image types 1 and 3 are uncompressed index or
// grey images, 2 uncompressed true colour, 9, 10 and 11 their run-length
// coded forms; depths 8, 16 (5-5-5), 24 and 32 (with alpha).  Rows are taken
// bottom-up, left to right, whatever the descriptor says.
//
// Beyond the plain subset, files are read correctly where that is cheap and
// refused where it is not:
//  - an ID field is skipped, and so is a colour map on an image of depth
//    16, 24 or 32;
//  - 8-bit pixels index a colour map of exactly 256 entries of 24 bits
//    starting at index 0; a grey image (type 3 or 11) with no colour map
//    reads each byte as a grey level; any other 8-bit image is refused;
//  - other depths are refused;
//  - a file whose image data cannot hold every pixel is refused (for the
//    run-length types by walking the packets before anything is made).
// An RLE image is coded only from type 2 files of depth 24 or 32.
#ifndef VANTREL_SURFACE_IMAGE_TGA_READER_H
#define VANTREL_SURFACE_IMAGE_TGA_READER_H

#include <cstddef>
#include <cstdint>

#include "core/file_check.h"

namespace vtl {
constexpr size_t kTgaHeaderSize = 18;

struct TgaImage {
    unsigned type;
    unsigned depth;
    unsigned width;
    unsigned height;
    bool knownType;                // 1, 2, 3, 9, 10 or 11
    bool runLength;                // 9, 10 or 11
    const unsigned char* colorMap; // 256 blue, green, red entries, or null
    const unsigned char* data;     // first byte of the image data
    size_t dataBytes;              // bytes from `data` to the end of the file
};

// What the file is read into: the rules differ.
enum class TgaUse { Surface, RunImage };

// The rules above, in the order they are checked.
enum class TgaRefusal {
    Ok,
    TooShort,         // value the file's bytes, limit the header's 18
    Depth,            // value the pixel depth
    IdPastEnd,        // value the ID field's length
    ColourMapLayout,  // an 8-bit image's map: field its first index, value its entries, limit their bits
    ColourMapPastEnd, // the map runs past the end of the file
    NoColourMap,      // an 8-bit colour image without one: value the image type
    PixelsCutShort,   // value the bytes after the header, limit what the pixels need
    RunsCannotFit,    // value the bytes after the header, limit the least the packets of every pixel take
    PacketsEnd,       // value the pixels the packets give, limit the image's pixels
    NotRunImageType,  // an RLE image from another type or depth: field the type, value the depth
};
using TgaCheck = FileCheck<TgaRefusal>;

// Checks a file of `available` bytes (kUnknownExtent: trust it) for `use`
// and reads its header into `image`, which is complete when the file is
// accepted.  A file of an unknown image type is accepted for a surface with
// knownType false and nothing else checked.
TgaCheck checkTga(const unsigned char* data, size_t available, TgaUse use, TgaImage& image);

// The image's pixels in file order, each as red, green, blue and alpha
// (255 for images without alpha).
class TgaPixelStream {
public:
    explicit TgaPixelStream(const TgaImage& image);
    // False when the data ends before another pixel.
    bool next(unsigned char& r, unsigned char& g, unsigned char& b, unsigned char& a);

private:
    bool readValue();
    const TgaImage& image_;
    const unsigned char* at_;
    size_t left_;
    unsigned bytes_;
    unsigned repeat_ = 0;  // copies of the current value still to hand out
    unsigned literal_ = 0; // raw values still to read in the current packet
    unsigned char value_[4] = {0, 0, 0, 255};
};
} // namespace vtl

#endif
