// PNG pictures through libpng's simplified API, which converts every colour
// type and depth (palettes and transparency chunks included) to 8-bit RGBA.
#include "picture.h"

#include <png.h>

bool readPng(const std::string& path, Picture& picture, std::string& error)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = path + ": " + image.message;
        return false;
    }
    // Alpha is meaningful only when the file has an alpha channel or a tRNS
    // chunk; libpng reports either as PNG_FORMAT_FLAG_ALPHA.
    const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_RGBA;
    if (image.width == 0 || image.height == 0 || image.width > 0xFFFF || image.height > 0xFFFF) {
        png_image_free(&image);
        error = path + ": size out of range";
        return false;
    }
    picture.resize(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr)) {
        error = path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    picture.hasAlpha = alpha;
    return true;
}
