// A picture read from any image file the tools take (BMP, TGA, PNG, GIF,
// PCX, JPEG and the other formats of the decoding library): top row first,
// four bytes per pixel (red, green, blue, alpha).
#ifndef VTLTOOLS_PICTURE_H
#define VTLTOOLS_PICTURE_H

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    bool hasAlpha = false; // some pixel is not fully opaque
    // More than 8 bits per channel in the file: the 8-bit copy rounds them.
    bool deepChannels = false;
    std::string format; // "PNG", "BMP", "TGA", ... as the file's bytes say
    // Things the user should know: some of the file was ignored, or could
    // not be read as it meant.
    std::vector<std::string> warnings;
    // The file is read correctly here but would not be by the library's own
    // loader (which the user may give it to directly); moot once converted.
    std::string libraryNote;
    std::vector<uint8_t> rgba;

    const uint8_t* pixel(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    uint8_t* pixel(int x, int y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    void resize(int w, int h)
    {
        width = w;
        height = h;
        rgba.assign(static_cast<size_t>(w) * h * 4, 255);
    }
    // Sets hasAlpha from the pixels, and makes a fourth channel that is 0
    // everywhere opaque: writers that leave it unused write zeros, and a
    // picture nobody can see is never what they meant.
    void settleAlpha();
};

// Reads the whole file at `path`, whatever its name says, choosing the
// decoder by its first bytes (a TGA, which has none, by its ending).  Errors
// start with the path.  Sizes in headers are checked against the file's
// length before the picture is allocated.
bool readPicture(const std::string& path, Picture& picture, std::string& error);
// The same for bytes already read; `name` gives the ending for a TGA.
bool decodePicture(const std::vector<uint8_t>& file, const std::string& name, Picture& picture, std::string& error);

// TGA, read here rather than by the decoding library (see tga_reader.cpp).
bool readTga(const std::vector<uint8_t>& file, Picture& picture, std::string& error);

// What a file is, by its first bytes, for a refusal: "a PNG picture",
// "a WAVE sound", "a ZIP archive"...; empty when nothing is recognised.
std::string describeFileKind(const uint8_t* bytes, size_t size);
// The picture format the first bytes show ("PNG", "BMP", "GIF", ...), or
// empty.
std::string sniffPictureFormat(const uint8_t* bytes, size_t size);

// The two forms the library's loaders read, whatever their file says:
// a BMP of 24 bits, bottom row first, with the 40-byte header (alpha is
// dropped), and a TGA of type 2, bottom row first, of 32 bits with alpha
// when the picture has alpha and 24 otherwise.
std::vector<uint8_t> encodeBmp24(const Picture& picture);
std::vector<uint8_t> encodeTga(const Picture& picture);

// A regular file, whole; a folder, a device or a system error is refused
// with the path and the reason.
bool readFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

#endif
