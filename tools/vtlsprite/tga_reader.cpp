// True-colour TGA pictures, 24 or 32 bits, plain (type 2) or run-length
// coded (type 10), either row order.
#include "picture.h"
#include "tools/english.h"

namespace {
constexpr size_t kHeader = 18;

// Hands each of `count` pixels of `bytes` bytes in file[at...] to
// `put(index, pixel)`, undoing the run-length packets of type 10.  False when
// the data ends early.  `at` is at most file.size().
template <class Put>
bool readPixels(const std::vector<uint8_t>& file, size_t at, bool packed, size_t count, size_t bytes, Put put)
{
    size_t done = 0;
    while (done < count) {
        size_t run = 1;
        bool repeat = false;
        if (packed) {
            if (at >= file.size())
                return false;
            const uint8_t head = file[at++];
            run = (head & 0x7F) + 1u;
            repeat = (head & 0x80) != 0;
        }
        const size_t literal = repeat ? bytes : run * bytes;
        if (file.size() - at < literal)
            return false;
        for (size_t i = 0; i < run && done < count; ++i, ++done)
            put(done, &file[repeat ? at : at + i * bytes]);
        at += literal;
    }
    return true;
}

std::string typeName(unsigned type)
{
    switch (type) {
    case 0:
        return "type 0 (no image data)";
    case 1:
    case 9:
        return "type " + std::to_string(type) + " (colour-mapped)";
    case 3:
    case 11:
        return "type " + std::to_string(type) + " (greyscale)";
    default:
        return "type " + std::to_string(type);
    }
}
} // namespace

bool readTga(const std::vector<uint8_t>& file, Picture& picture, std::string& error)
{
    if (file.size() < kHeader) {
        error = "too short for a TGA header (" + std::to_string(file.size()) + " of 18 bytes)";
        return false;
    }
    const unsigned type = file[2];
    const unsigned depth = file[16];
    if (type != 2 && type != 10) {
        error = "TGA image " + typeName(type) + " is not read: save it as true colour (type 2 or 10)";
        return false;
    }
    if (depth != 24 && depth != 32) {
        error = "TGA pixel depth " + std::to_string(depth) + " is not read: save it with 24 or 32 bits";
        return false;
    }
    if (file[1] != 0) {
        error = "a true-colour TGA with a colour map is not read: save it without one";
        return false;
    }
    const int width = file[12] | file[13] << 8;
    const int height = file[14] | file[15] << 8;
    if (width == 0 || height == 0) {
        error = "TGA size " + std::to_string(width) + " x " + std::to_string(height) + ": nothing to read";
        return false;
    }
    const size_t at = kHeader + file[0];
    if (at > file.size()) {
        error = "the TGA image ID field (" + tools::counted(file[0], "byte") + ") runs past the end of the file";
        return false;
    }
    // Every pixel needs its bytes, or one packet of at most 128 pixels.
    const size_t bytes = depth / 8;
    const uint64_t pixels = uint64_t(width) * uint64_t(height);
    const uint64_t least = type == 10 ? (pixels + 127) / 128 * (1 + bytes) : pixels * bytes;
    if (least > file.size() - at) {
        error = "the header's size " + std::to_string(width) + " x " + std::to_string(height) +
                " needs at least " + std::to_string(least) + " bytes of pixels, the file holds " +
                std::to_string(file.size() - at) + " (truncated or damaged)";
        return false;
    }
    // The picture is made before the pixels are decoded, straight into it:
    // a size this machine cannot hold fails here, with the size known to
    // the message, and no second copy of the pixels is ever needed.
    const bool topDown = (file[17] & 0x20) != 0;
    picture.resize(width, height);
    const size_t rowLength = static_cast<size_t>(width);
    const auto put = [&](size_t index, const uint8_t* src) {
        const int row = static_cast<int>(index / rowLength);
        uint8_t* p = picture.pixel(static_cast<int>(index % rowLength), topDown ? row : height - 1 - row);
        p[0] = src[2];
        p[1] = src[1];
        p[2] = src[0];
        p[3] = bytes == 4 ? src[3] : 255;
    };
    if (!readPixels(file, at, type == 10, static_cast<size_t>(pixels), bytes, put)) {
        picture = Picture{};
        error = "pixel data runs past the end of the file (truncated)";
        return false;
    }
    picture.hasAlpha = bytes == 4;
    if (topDown)
        picture.warning = "rows are stored top row first; vtlsprite reads them the right way up, but the "
                          "library's own TGA loaders always take the bottom row first, so this file packed "
                          "into an archive as it is would show upside down (save it bottom-up, or pack "
                          "what vtlsprite makes of it)";
    return true;
}
