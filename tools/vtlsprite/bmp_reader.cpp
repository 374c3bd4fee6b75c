// Uncompressed 24- and 32-bit BMP pictures, bottom-up or top-down.
#include "picture.h"

namespace {
uint32_t le32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
} // namespace

bool readBmp(const std::vector<uint8_t>& file, Picture& picture, std::string& error)
{
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M' || le32(file, 14) < 40) {
        error = "not a BMP file with a Windows info header";
        return false;
    }
    const int32_t width = static_cast<int32_t>(le32(file, 18));
    const int32_t rawHeight = static_cast<int32_t>(le32(file, 22));
    const unsigned bits = le16(file, 28);
    const uint32_t compression = le32(file, 30);
    const uint32_t dataOffset = le32(file, 10);
    if ((bits != 24 && bits != 32) || compression != 0) {
        error = "only uncompressed 24- and 32-bit BMP files are read";
        return false;
    }
    const bool topDown = rawHeight < 0;
    const int64_t height = topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
    if (width <= 0 || width > 0xFFFF || height <= 0 || height > 0xFFFF) {
        error = "size out of range";
        return false;
    }
    const size_t bytesPerPixel = bits / 8;
    const size_t stride = (bytesPerPixel * width + 3) & ~size_t{3};
    if (dataOffset > file.size() || (file.size() - dataOffset) / stride < static_cast<size_t>(height)) {
        error = "pixel data runs past the end of the file";
        return false;
    }
    picture.resize(width, static_cast<int>(height));
    bool anyAlpha = false;
    for (int y = 0; y < picture.height; ++y) {
        const size_t row = topDown ? y : picture.height - 1 - y;
        const uint8_t* src = &file[dataOffset + row * stride];
        for (int x = 0; x < width; ++x, src += bytesPerPixel) {
            uint8_t* p = picture.pixel(x, y);
            p[0] = src[2];
            p[1] = src[1];
            p[2] = src[0];
            p[3] = bytesPerPixel == 4 ? src[3] : 255;
            anyAlpha |= bytesPerPixel == 4 && src[3] != 0;
        }
    }
    // Most 32-bit BMP writers leave the fourth byte 0: then it is no alpha.
    picture.hasAlpha = anyAlpha;
    if (!anyAlpha)
        for (size_t i = 3; i < picture.rgba.size(); i += 4)
            picture.rgba[i] = 255;
    return true;
}
