// Run-coded faces for image-button tests: a 100 x 50 shape whose rows 10 to
// 39 hold, from x = 20, ten level pixels and then fifty opaque ones; every
// other pixel is transparent.
#ifndef VANTREL_TESTS_BUTTON_FACES_H
#define VANTREL_TESTS_BUTTON_FACES_H

#include <vantrel/rlefx.h>

#include <cstdint>
#include <vector>

namespace buttontest {

constexpr int kWidth = 100, kHeight = 50;
constexpr int kShapeTop = 10, kShapeBottom = 40; // rows [top, bottom)
constexpr int kLevelLeft = 20, kOpaqueLeft = 30, kOpaqueRight = 80; // columns

// Fills `face` (zero-filled) with the shape in `bits`-bit pixels of value
// `pixel`; the level pixels are at level 128.
inline bool makeFace(RLEFX& face, unsigned bits, uint32_t pixel)
{
    const unsigned bytes = bits / 8;
    std::vector<uint8_t> runs;
    auto word = [&](unsigned w) {
        runs.push_back(static_cast<uint8_t>(w));
        runs.push_back(static_cast<uint8_t>(w >> 8));
    };
    auto pixels = [&](unsigned n) {
        for (unsigned i = 0; i < n; ++i)
            for (unsigned b = 0; b < bytes; ++b)
                runs.push_back(static_cast<uint8_t>(pixel >> (8 * b)));
    };
    for (int y = 0; y < kHeight; ++y) {
        if (y >= kShapeTop && y < kShapeBottom) {
            word(RLE_SKIP | kLevelLeft);
            word(RLE_LEVEL | (kOpaqueLeft - kLevelLeft));
            for (int i = 0; i < kOpaqueLeft - kLevelLeft; ++i) {
                runs.push_back(128);
                pixels(1);
            }
            word(kOpaqueRight - kOpaqueLeft);
            pixels(kOpaqueRight - kOpaqueLeft);
            word(RLE_SKIP | (kWidth - kOpaqueRight));
        } else {
            word(RLE_SKIP | kWidth);
        }
        word(0);
    }
    face.bitsPerPixel = static_cast<unsigned char>(bits);
    face.bytesPerPixel = static_cast<unsigned char>(bytes);
    if (!face.create(kWidth, kHeight, runs.size()))
        return false;
    std::copy(runs.begin(), runs.end(), face.runs);
    return true;
}

} // namespace buttontest

#endif
