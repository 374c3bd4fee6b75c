// Uncompressed 24- and 32-bit BMP pictures, bottom-up or top-down.
#include "picture.h"
#include "tools/english.h"

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
        error = file.size() < 2 || file[0] != 'B' || file[1] != 'M'
                    ? "not a BMP file (no \"BM\" signature)"
                : file.size() < 54 ? "too short for a BMP header (" + std::to_string(file.size()) + " of 54 bytes)"
                                   : "a BMP info header of " + std::to_string(le32(file, 14)) +
                                         " bytes is not read: save it with a Windows (40-byte) header";
        return false;
    }
    const int32_t width = static_cast<int32_t>(le32(file, 18));
    const int32_t rawHeight = static_cast<int32_t>(le32(file, 22));
    const unsigned bits = le16(file, 28);
    const uint32_t compression = le32(file, 30);
    const uint32_t dataOffset = le32(file, 10);
    if ((bits != 24 && bits != 32) || compression != 0) {
        error = compression != 0 ? "a compressed BMP (compression " + std::to_string(compression) +
                                       ") is not read: save it uncompressed, 24 or 32 bits"
                                 : std::string(tools::articleFor(bits)) + " " + std::to_string(bits) + "-bit BMP is not read: save it with 24 or 32 bits";
        return false;
    }
    const bool topDown = rawHeight < 0;
    const int64_t height = topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
    if (width <= 0 || width > 0xFFFF || height <= 0 || height > 0xFFFF) {
        error = "BMP size " + std::to_string(width) + " x " + std::to_string(height) +
                " out of range (1 to 65535 each way)";
        return false;
    }
    const size_t bytesPerPixel = bits / 8;
    const size_t stride = (bytesPerPixel * width + 3) & ~size_t{3};
    if (dataOffset > file.size() || (file.size() - dataOffset) / stride < static_cast<size_t>(height)) {
        error = "the header's size " + std::to_string(width) + " x " + std::to_string(height) +
                " needs more pixel data than the file holds (truncated or damaged)";
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
