// The pictures game developers hold, made by ImageMagick in every variant
// the tools read (BMP of every depth and header, TGA of every type, map size
// and origin, PNG of every colour type and depth, and the other common
// formats), each with ImageMagick's own decode of it to compare against.
#ifndef VANTREL_TESTS_PICTURE_VARIANTS_H
#define VANTREL_TESTS_PICTURE_VARIANTS_H

#include <cstdint>
#include <string>
#include <vector>

struct PictureVariant {
    std::string name;  // "bmp-rle8", "tga-map2-bottomright", ...
    std::string path;  // the file
    int width = 0;
    int height = 0;
    // ImageMagick's decode, top row first, red, green, blue, alpha.
    std::vector<uint8_t> rgba;
    // How far a channel may be from the decode: 0, or 1 where 16-bit
    // channels are rounded to 8 by a decoder that cuts instead, or one
    // step of the file's own 4- or 5-bit channels.
    int tolerance = 0;
    bool hasAlpha = false; // some pixel of the decode is not opaque
};

// Makes the variants once per test program, in a new folder under `root`;
// empty (with the reason in `why`) when ImageMagick is missing or fails.
const std::vector<PictureVariant>& pictureVariants(const std::string& root, std::string& why);

#endif
