// Choosing a decoder by the file's first bytes, and what every reader's
// picture needs afterwards.
//
// Most formats go to the system's decoding library (picture_decoder.h).
// SDL2_image is packaged beside SDL2 (which the library uses already)
// wherever the library runs on its own platform layer, and reads BMP in
// every variant (through SDL2 itself, RLE through its own loader), PNG
// through libpng, GIF, PCX, JPEG, and more; Windows has its Imaging
// Component.  TGA is the exception (tga_reader.cpp).
#include "picture.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "colour_profile.h"
#include "file_bytes.h"
#include "picture_decoder.h"

namespace {
std::string upperEnding(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return {};
    std::string ending = path.substr(dot + 1);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return ending;
}

// The most pixels a picture may have: 8192 x 8192, or any shape of as many
// (a scrolling background of 65535 x 1024).  A few bytes of GIF or RLE can
// declare gigabytes of picture; no game's art needs more than this.
constexpr uint64_t kMostPixels = uint64_t(1) << 26;

bool sizeAllowed(uint64_t width, uint64_t height, std::string& error)
{
    if (width == 0 || height == 0 || width > 0xFFFF || height > 0xFFFF || width * height > kMostPixels) {
        error = "size " + std::to_string(width) + " x " + std::to_string(height) +
                " out of range (1 to 65535 each way, at most " + std::to_string(kMostPixels) + " pixels)";
        return false;
    }
    return true;
}

// The sizes GIF and PCX headers declare, checked before the decoder
// allocates them.
bool declaredSizeAllowed(const std::vector<uint8_t>& b, const std::string& format, std::string& error)
{
    if (format == "GIF" && b.size() >= 13) {
        if (!sizeAllowed(b[6] | b[7] << 8, b[8] | b[9] << 8, error))
            return false;
        // The decoder sizes the picture by the first image's own
        // descriptor, after the colour table and any extensions.
        size_t at = 13 + ((b[10] & 0x80) ? 3u << ((b[10] & 7) + 1) : 0u);
        while (at < b.size() && b[at] == 0x21) {
            for (at += 2; at < b.size() && b[at] != 0; at += 1 + size_t(b[at])) {
            }
            ++at;
        }
        if (at + 9 <= b.size() && b[at] == 0x2C)
            return sizeAllowed(b[at + 5] | b[at + 6] << 8, b[at + 7] | b[at + 8] << 8, error);
        // Its decoder reads on past the end of the file as if there were
        // more, and sizes a picture from what it finds there.
        error = "not a readable GIF file: it ends before its first image (truncated or damaged)";
        return false;
    }
    if (format == "PCX" && b.size() >= 12) {
        const int xMin = b[4] | b[5] << 8, yMin = b[6] | b[7] << 8, xMax = b[8] | b[9] << 8, yMax = b[10] | b[11] << 8;
        return sizeAllowed(uint64_t(std::max(xMax - xMin + 1, 0)), uint64_t(std::max(yMax - yMin + 1, 0)), error);
    }
    return true;
}

// Deflate never packs more than 1032 bytes into one, so the compressed rows
// of a W x H picture (a filter byte and at least W bits each) need at least
// this many bytes of file.  A header that promises more is a lie that would
// otherwise cost W x H x 4 bytes of memory before the first row is read.
bool pngSizeFits(const std::vector<uint8_t>& file, std::string& error)
{
    if (file.size() < 33)
        return true; // the decoder words a header cut short itself
    const uint64_t width = be32(file, 16), height = be32(file, 20);
    if (width == 0 || height == 0 || width > 0xFFFF || height > 0xFFFF)
        return sizeAllowed(width, height, error);
    if (height * (1 + (width + 7) / 8) / 1032 > file.size()) {
        error = "the header's size " + std::to_string(width) + " x " + std::to_string(height) +
                " cannot fit in a file of " + std::to_string(file.size()) + " bytes (truncated or damaged)";
        return false;
    }
    return sizeAllowed(width, height, error);
}

// An uncompressed BMP (plain or with bit fields) holds every row whole: a
// header that promises more rows than the file holds would cost the decoder
// all of their memory before it finds out.  Run-length BMPs can skip whole
// areas in a few bytes, so they are left to the decoder.
bool bmpSizeFits(const std::vector<uint8_t>& file, std::string& error)
{
    const uint32_t header = file.size() >= 18 ? le32(file, 14) : 0;
    const bool os2 = header == 12;
    const size_t least = 14 + (os2 ? 12 : 40);
    // SDL2 reads on past the end of a file cut inside its header.
    if (file.size() < least) {
        error = "too short for a BMP header (" + std::to_string(file.size()) + " of " + std::to_string(least) +
                " bytes)";
        return false;
    }
    const int64_t width = os2 ? file[18] | file[19] << 8 : static_cast<int32_t>(le32(file, 18));
    const int64_t rawHeight = os2 ? file[20] | file[21] << 8 : static_cast<int32_t>(le32(file, 22));
    const unsigned bits = os2 ? file[24] | file[25] << 8 : file[28] | file[29] << 8;
    const uint32_t compression = os2 ? 0 : le32(file, 30);
    const int64_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) {
        error = "BMP size " + std::to_string(width) + " x " + std::to_string(height) +
                " out of range (1 to 65535 each way)";
        return false;
    }
    if (compression != 0 && compression != 3 && compression != 6)
        return sizeAllowed(uint64_t(width), uint64_t(height), error);
    const uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
    const uint64_t offset = le32(file, 10);
    const uint64_t lastRow = (uint64_t(width) * bits + 7) / 8;
    if (offset > file.size() || (file.size() - offset) < stride * uint64_t(height - 1) + lastRow) {
        error = "the header's size " + std::to_string(width) + " x " + std::to_string(height) +
                " needs more pixel data than the file holds (truncated or damaged)";
        return false;
    }
    return sizeAllowed(uint64_t(width), uint64_t(height), error);
}

// Every chunk whole, up to IEND.  SDL2_image's reads do not fail at the end
// of the file, so libpng would skip a chunk that claims two gigabytes by
// checksumming two gigabytes of nothing.
bool pngChunksFit(const std::vector<uint8_t>& file, std::string& error)
{
    for (size_t at = 8;;) {
        if (file.size() - at < 12) {
            error = "not a readable PNG file: it ends before its IEND chunk (truncated)";
            return false;
        }
        const uint32_t length = be32(file, at);
        if (length > file.size() - at - 12) {
            error = "not a readable PNG file: a chunk of " + std::to_string(length) +
                    " bytes runs past the end of the file (truncated or damaged)";
            return false;
        }
        if (std::equal(file.begin() + at + 4, file.begin() + at + 8, "IEND"))
            return true;
        at += 12 + size_t(length);
    }
}

bool decodeByFormat(const std::vector<uint8_t>& file, const std::string& name, Picture& picture, std::string& error)
{
    if (file.empty()) {
        error = "empty file";
        return false;
    }
    const std::string format = sniffPictureFormat(file.data(), file.size());
    if (format.empty()) {
        if (upperEnding(name) == "TGA") {
            picture.format = "TGA";
            return readTga(file, picture, error);
        }
        const std::string kind = describeFileKind(file.data(), file.size());
        error = (kind.empty() ? std::string("not a picture file the tools read") : "not a picture: it is " + kind) +
                " (they read " + kPictureFormatsRead + ")";
        return false;
    }
    picture.format = format;
    if ((format == "PNG" && (!pngSizeFits(file, error) || !pngChunksFit(file, error))) ||
        (format == "BMP" && !bmpSizeFits(file, error)) || !declaredSizeAllowed(file, format, error))
        return false;
    if (!decodeWithLibrary(file, format, picture, error))
        return false;
    if (format == "PNG" && file.size() > 24 && file[24] == 16)
        picture.deepChannels = true;
    if (format == "BMP") {
        // SDL2 reads a 32-bit BMP's fourth byte as alpha; most writers leave
        // it 0 there.
        picture.settleAlpha();
        applyBmpColourProfile(file, picture);
    } else {
        if (format == "PNG")
            applyPngColourProfile(file, picture);
        picture.hasAlpha = false;
        for (size_t i = 3; i < picture.rgba.size() && !picture.hasAlpha; i += 4)
            picture.hasAlpha = picture.rgba[i] != 255;
    }
    return true;
}
} // namespace

void Picture::settleAlpha()
{
    bool anyVisible = false;
    hasAlpha = false;
    for (size_t i = 3; i < rgba.size(); i += 4) {
        anyVisible |= rgba[i] != 0;
        hasAlpha |= rgba[i] != 255;
    }
    if (anyVisible)
        return;
    for (size_t i = 3; i < rgba.size(); i += 4)
        rgba[i] = 255;
    hasAlpha = false;
}

bool decodePicture(const std::vector<uint8_t>& file, const std::string& name, Picture& picture, std::string& error)
{
    bool ok = false;
    try {
        ok = decodeByFormat(file, name, picture, error);
    } catch (const std::bad_alloc&) {
        // A size the file can hold but this machine cannot.
        error = "not enough memory for a picture of " + std::to_string(picture.width) + " x " +
                std::to_string(picture.height);
        ok = false;
    }
    if (!ok)
        picture = Picture{};
    return ok;
}

bool readPicture(const std::string& path, Picture& picture, std::string& error)
{
    std::vector<uint8_t> bytes;
    if (!readFile(path, bytes, error))
        return false;
    if (!decodePicture(bytes, path, picture, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}
