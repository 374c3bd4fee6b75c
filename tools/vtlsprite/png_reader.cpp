// PNG pictures through libpng's simplified API, which converts every colour
// type and depth (palettes and transparency chunks included) to 8-bit RGBA.
#include "picture.h"

#include <png.h>

namespace {
// Deflate never packs more than 1032 bytes into one, so the compressed rows
// of a W x H picture (a filter byte and at least W bits each) need at least
// this many bytes of file.  A header that promises more is a lie that would
// otherwise cost W x H x 4 bytes of memory before the first row is read.
uint64_t leastFileSize(uint64_t width, uint64_t height) { return height * (1 + (width + 7) / 8) / 1032; }
} // namespace

bool readPng(const std::vector<uint8_t>& file, Picture& picture, std::string& error)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) {
        error = std::string("not a readable PNG file: ") + image.message;
        png_image_free(&image);
        return false;
    }
    // Alpha is meaningful only when the file has an alpha channel or a tRNS
    // chunk; libpng reports either as PNG_FORMAT_FLAG_ALPHA.
    const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_RGBA;
    if (image.width == 0 || image.height == 0 || image.width > 0xFFFF || image.height > 0xFFFF) {
        png_image_free(&image);
        error = "size " + std::to_string(image.width) + " x " + std::to_string(image.height) +
                " out of range (1 to 65535 each way)";
        return false;
    }
    if (leastFileSize(image.width, image.height) > file.size()) {
        error = "the header's size " + std::to_string(image.width) + " x " + std::to_string(image.height) +
                " cannot fit in a file of " + std::to_string(file.size()) + " bytes (truncated or damaged)";
        png_image_free(&image);
        return false;
    }
    picture.resize(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr)) {
        error = std::string("not a readable PNG file: ") + image.message;
        png_image_free(&image);
        return false;
    }
    picture.hasAlpha = alpha;
    return true;
}
