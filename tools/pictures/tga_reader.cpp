// TGA pictures of every type (colour-mapped, true colour and grey, plain or
// run-length coded), every colour map (any first index, length and entry
// size) and every origin.
//
// Read here rather than by SDL2_image, which (2.6) refuses the right-hand
// origins, ignores the origin's vertical bit for some types (a bottom-up
// file comes out upside down) and misreads grey images.
#include "picture.h"
#include "tools/english.h"

namespace {
constexpr size_t kHeader = 18;

// Hands each of `count` values of `bytes` bytes in file[at...] to
// `put(index, value)`, undoing the run-length packets of types 9 to 11.
// False when the data ends early.  `at` is at most file.size().
template <class Put>
bool readValues(const std::vector<uint8_t>& file, size_t at, bool packed, size_t count, size_t bytes, Put put)
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

// One colour of `bits` bits (15, 16, 24 or 32, blue first as TGA stores
// them) as red, green, blue, alpha.
void colourOf(const uint8_t* src, unsigned bits, bool alpha, uint8_t* p)
{
    if (bits == 15 || bits == 16) {
        const unsigned v = src[0] | src[1] << 8;
        const auto wide = [](unsigned five) { return static_cast<uint8_t>(five << 3 | five >> 2); };
        p[0] = wide(v >> 10 & 31);
        p[1] = wide(v >> 5 & 31);
        p[2] = wide(v & 31);
        p[3] = alpha && bits == 16 && !(v & 0x8000) ? 0 : 255;
        return;
    }
    p[0] = src[2];
    p[1] = src[1];
    p[2] = src[0];
    p[3] = bits == 32 ? src[3] : 255;
}

bool colourDepth(unsigned bits) { return bits == 15 || bits == 16 || bits == 24 || bits == 32; }
} // namespace

bool readTga(const std::vector<uint8_t>& file, Picture& picture, std::string& error)
{
    if (file.size() < kHeader) {
        error = "too short for a TGA header (" + std::to_string(file.size()) + " of 18 bytes)";
        return false;
    }
    const unsigned type = file[2];
    const unsigned depth = file[16];
    const unsigned base = type & 7;
    if (base < 1 || base > 3 || (type & ~11u) != 0) {
        error = "TGA image type " + std::to_string(type) + (type == 0 ? " (no image data)" : "") +
                " is not a picture type (1, 2, 3, 9, 10 or 11)";
        return false;
    }
    const bool mapped = base == 1;
    const unsigned mapFirst = file[3] | file[4] << 8;
    const unsigned mapLength = file[5] | file[6] << 8;
    const unsigned mapBits = file[7];
    // Colour-mapped: 8- or 16-bit indices; grey: a level, or a level and
    // alpha.
    const bool depthOk = base == 2 ? colourDepth(depth) : depth == 8 || depth == 16;
    if (!depthOk) {
        error = "TGA pixel depth " + tools::counted(depth, "bit") + " does not exist for image type " +
                std::to_string(type);
        return false;
    }
    if (mapped && (file[1] != 1 || !colourDepth(mapBits) || mapLength == 0)) {
        error = "a colour-mapped TGA without a usable colour map (" + tools::counted(mapLength, "entry", "entries") +
                " of " + tools::counted(mapBits, "bit") + ")";
        return false;
    }
    const int width = file[12] | file[13] << 8;
    const int height = file[14] | file[15] << 8;
    if (width == 0 || height == 0) {
        error = "TGA size " + std::to_string(width) + " x " + std::to_string(height) + ": nothing to read";
        return false;
    }
    size_t at = kHeader + file[0];
    if (at > file.size()) {
        error = "the TGA image ID field (" + tools::counted(file[0], "byte") + ") runs past the end of the file";
        return false;
    }
    // The map is there (and skipped) whenever the header says so, whatever
    // the image type.
    const size_t mapEntryBytes = (mapBits + 7) / 8;
    const uint8_t* map = nullptr;
    if (file[1] == 1) {
        const size_t mapBytes = size_t(mapLength) * mapEntryBytes;
        if (mapBytes > file.size() - at) {
            error = "the TGA colour map (" + tools::counted(mapLength, "entry", "entries") +
                    ") runs past the end of the file";
            return false;
        }
        map = &file[at];
        at += mapBytes;
    }
    // Every pixel needs its bytes, or one packet of at most 128 pixels.
    const bool packed = type >= 9;
    const size_t bytes = (depth + 7) / 8;
    const uint64_t pixels = uint64_t(width) * uint64_t(height);
    const uint64_t least = packed ? (pixels + 127) / 128 * (1 + bytes) : pixels * bytes;
    if (least > file.size() - at) {
        error = "the header's size " + std::to_string(width) + " x " + std::to_string(height) +
                " needs at least " + std::to_string(least) + " bytes of pixels, the file holds " +
                std::to_string(file.size() - at) + " (truncated or damaged)";
        return false;
    }
    // A 16-bit colour's top bit is alpha only when the descriptor counts an
    // alpha bit; a 32-bit colour's fourth byte is read as alpha whatever the
    // descriptor says, as the library reads it, and settleAlpha() below
    // takes it back when it is 0 everywhere (writers that declare no alpha
    // leave it so).
    const bool alpha = (file[17] & 0x0F) != 0;
    const bool rightToLeft = (file[17] & 0x10) != 0;
    const bool topDown = (file[17] & 0x20) != 0;
    // The picture is made before the pixels are decoded, straight into it:
    // a size this machine cannot hold fails here, with the size known to
    // the message, and no second copy of the pixels is ever needed.
    picture.resize(width, height);
    const size_t rowLength = static_cast<size_t>(width);
    bool outsideMap = false;
    const auto put = [&](size_t index, const uint8_t* src) {
        const int row = static_cast<int>(index / rowLength);
        const int column = static_cast<int>(index % rowLength);
        uint8_t* p = picture.pixel(rightToLeft ? width - 1 - column : column, topDown ? row : height - 1 - row);
        if (mapped) {
            const unsigned value = bytes == 2 ? unsigned(src[0] | src[1] << 8) : src[0];
            if (value < mapFirst || value - mapFirst >= mapLength) {
                outsideMap = true;
                p[0] = p[1] = p[2] = 0;
                return;
            }
            colourOf(map + size_t(value - mapFirst) * mapEntryBytes, mapBits, alpha, p);
        } else if (base == 3) {
            p[0] = p[1] = p[2] = src[0];
            p[3] = bytes == 2 && alpha ? src[1] : 255;
        } else {
            colourOf(src, depth, alpha, p);
        }
    };
    if (!readValues(file, at, packed, static_cast<size_t>(pixels), bytes, put)) {
        picture = Picture{};
        error = "pixel data runs past the end of the file (truncated)";
        return false;
    }
    picture.settleAlpha();
    if (outsideMap)
        picture.warnings.push_back("some pixels index colours the colour map does not hold; they were made black");
    if (topDown || rightToLeft)
        picture.libraryNote = (
            "rows are stored " + std::string(topDown ? "top row first" : "right to left") +
            "; this tool reads them the right way round, but the library's own TGA loaders always take the "
            "bottom row first, left to right, so this file packed into an archive as it is would show " +
            (topDown ? "upside down" : "mirrored") + " (pack it with vtlpack create --convert, which turns it)");
    return true;
}
