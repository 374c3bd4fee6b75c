// True-colour TGA pictures, 24 or 32 bits, plain (type 2) or run-length
// coded (type 10), either row order.
#include "picture.h"

namespace {
constexpr size_t kHeader = 18;

// Reads width x height pixels of `bytes` each into `out`, undoing the
// run-length packets of type 10.  False when the data ends early.
bool readPixels(const std::vector<uint8_t>& file, size_t at, bool packed, size_t count, size_t bytes,
                std::vector<uint8_t>& out)
{
    out.clear();
    out.reserve(count * bytes);
    while (out.size() < count * bytes) {
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
        for (size_t i = 0; i < run && out.size() < count * bytes; ++i) {
            const size_t from = repeat ? at : at + i * bytes;
            out.insert(out.end(), file.begin() + static_cast<long>(from),
                       file.begin() + static_cast<long>(from + bytes));
        }
        at += literal;
    }
    return true;
}
} // namespace

bool readTga(const std::vector<uint8_t>& file, Picture& picture, std::string& error)
{
    if (file.size() < kHeader) {
        error = "too short for a TGA header";
        return false;
    }
    const unsigned type = file[2];
    const unsigned depth = file[16];
    if (file[1] != 0 || (type != 2 && type != 10) || (depth != 24 && depth != 32)) {
        error = "only true-colour 24- and 32-bit TGA files are read";
        return false;
    }
    const int width = file[12] | file[13] << 8;
    const int height = file[14] | file[15] << 8;
    if (width == 0 || height == 0) {
        error = "size out of range";
        return false;
    }
    const bool topDown = (file[17] & 0x20) != 0;
    const size_t bytes = depth / 8;
    std::vector<uint8_t> pixels;
    if (!readPixels(file, kHeader + file[0], type == 10, static_cast<size_t>(width) * height, bytes, pixels)) {
        error = "pixel data runs past the end of the file";
        return false;
    }
    picture.resize(width, height);
    for (int y = 0; y < height; ++y) {
        const size_t row = topDown ? y : height - 1 - y;
        const uint8_t* src = &pixels[row * width * bytes];
        for (int x = 0; x < width; ++x, src += bytes) {
            uint8_t* p = picture.pixel(x, y);
            p[0] = src[2];
            p[1] = src[1];
            p[2] = src[0];
            p[3] = bytes == 4 ? src[3] : 255;
        }
    }
    picture.hasAlpha = bytes == 4;
    return true;
}
