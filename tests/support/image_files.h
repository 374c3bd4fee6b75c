// Image files built in memory for the loader tests, and a handle set to a
// display format without a display.
#ifndef VANTREL_TESTS_IMAGE_FILES_H
#define VANTREL_TESTS_IMAGE_FILES_H

#include <vantrel/bitplanefx.h>
#include <vantrel/vtlhnd.h>

#include <functional>

#include "support/formats.h"
#include "support/test_archive.h"

struct Rgba {
    unsigned char r, g, b, a;
};

// A 24-bit bottom-up BMP; pixel(x, y) with y = 0 the top row.
Bytes makeBmp24(int width, int height, const std::function<Rgba(int, int)>& pixel);

// A TGA header (18 bytes) followed by `body` (colour map and image data).
Bytes makeTga(unsigned type, unsigned depth, unsigned width, unsigned height, const Bytes& body,
              unsigned mapType = 0, unsigned mapLength = 0, unsigned mapEntryBits = 0, unsigned idLength = 0);

// Uncompressed 24- or 32-bit TGA data in file order (bottom row first) for
// pixel(x, y), y = 0 the top row.
Bytes tgaRows(int width, int height, unsigned depth, const std::function<Rgba(int, int)>& pixel);

// The pixel value at (x, y) of a surface, its bytes read low first.
unsigned long pixelAt(const BITPLANEFX& surface, int x, int y);

// Sets the handle's pixel format fields as initPixelFormat would for the
// format, and builds the effect tables for it.
void setDisplayFormat(VTLHND& handle, const DisplayFormat& format);

#endif
