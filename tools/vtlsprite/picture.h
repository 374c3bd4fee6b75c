// A picture read from a PNG, BMP or TGA file: top row first, four bytes per
// pixel (red, green, blue, alpha).
#ifndef VTLSPRITE_PICTURE_H
#define VTLSPRITE_PICTURE_H

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    bool hasAlpha = false; // the file carried an alpha channel or transparency
    // Set by a reader when the file is read correctly here but would not be
    // by the library's own loader (which the user may give it to directly).
    std::string warning;
    std::vector<uint8_t> rgba;

    const uint8_t* pixel(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    uint8_t* pixel(int x, int y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    void resize(int w, int h)
    {
        width = w;
        height = h;
        rgba.assign(static_cast<size_t>(w) * h * 4, 255);
    }
};

// Each reader takes the whole file, fills `picture` and returns true, or
// returns false with a one-line reason in `error`.  Sizes in headers are
// checked against the file's length before the picture is allocated, and
// nothing is read outside `file`.
bool readPng(const std::vector<uint8_t>& file, Picture& picture, std::string& error);
bool readBmp(const std::vector<uint8_t>& file, Picture& picture, std::string& error);
bool readTga(const std::vector<uint8_t>& file, Picture& picture, std::string& error);
// Chooses the reader by the file's ending (.png, .bmp, .tga, any case);
// errors start with the path.
bool readPicture(const std::string& path, Picture& picture, std::string& error);

// A regular file, whole; a folder, a device or a system error is refused
// with the path and the reason.
bool readFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

#endif
