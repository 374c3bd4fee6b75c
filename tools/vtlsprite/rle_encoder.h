// Encodes a picture into an RLE file: a 15-byte header (width, height,
// number of stored pixels, seven zero bytes), then each row as control words
// with red-green-blue pixels, level pixels preceded by their level and kept
// unmultiplied, ending with the word 0.
#ifndef VTLSPRITE_RLE_ENCODER_H
#define VTLSPRITE_RLE_ENCODER_H

#include <cstdint>
#include <vector>

#include "picture.h"

struct Transparency {
    enum Mode {
        Automatic, // alpha when the picture has it, else the top-left pixel's colour
        Alpha,     // alpha 0 transparent, 255 opaque, anything between a level pixel
        Key,       // pixels of exactly `key` transparent, all others opaque
        TopLeft,   // the top-left pixel's colour is the key
        None,      // every pixel opaque
    } mode = Automatic;
    uint32_t key = 0; // 0xRRGGBB
};

std::vector<uint8_t> encodeRle(const Picture& picture, Transparency rule);

#endif
