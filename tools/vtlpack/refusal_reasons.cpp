// The rules below follow the library's readers: surface/image_bmp_reader.h,
// surface/image_tga_reader.h, rle/rle_file_loaders_tga.cpp,
// rle/rle_file_decoder.h, anim/rla_format.h and the sound device's formats.
// When one of those changes, the fuzz target tool_readers notices the
// difference for archives; the verify tests hold these to the loaders.
#include "tools/vtlpack/refusal_reasons.h"

#include <cstdint>
#include "tools/english.h"

namespace {
using std::to_string;

uint32_t le16(const unsigned char* p) { return p[0] | uint32_t(p[1]) << 8; }
uint32_t le32(const unsigned char* p) { return le16(p) | le16(p + 2) << 16; }

std::string size2(uint64_t w, uint64_t h) { return to_string(w) + " x " + to_string(h); }

// ---- BMP: one reader for surfaces, RLE images and alpha maps.
std::string bmpReason(const unsigned char* d, size_t size)
{
    if (size < 2 || d[0] != 'B' || d[1] != 'M')
        return "not a BMP file (it does not start with \"BM\")";
    if (size < 54)
        return "too short for a BMP header (" + to_string(size) + " of 54 bytes): the file is cut short";
    const uint32_t header = le32(d + 14);
    if (header != 40)
        return "its info header is " + to_string(header) +
               " bytes long; the library reads only the 40-byte Windows header: save it as a plain 24-bit "
               "Windows BMP (no colour-space information), or convert it with vtlsprite rle";
    const int64_t width = int32_t(le32(d + 18)), stored = int32_t(le32(d + 22));
    const unsigned bits = le16(d + 28);
    const uint32_t compression = le32(d + 30);
    uint64_t offset = le32(d + 10);
    if (offset == 0)
        offset = 54;
    if (bits != 24)
        return "it has " + tools::counted(bits, "bit") +
               " per pixel; the library reads only 24-bit BMP files: save it as 24-bit (no palette, no "
               "alpha), or convert it with vtlsprite rle, which reads 32-bit BMP and PNG too";
    if (compression != 0)
        return "it is compressed (compression " + to_string(compression) +
               "); the library reads only uncompressed BMP files: save it uncompressed";
    if (width < 1 || stored == 0)
        return "its size is " + to_string(width) + " x " + to_string(stored) + ": nothing to load";
    if (offset < 54)
        return "its pixel data offset (" + to_string(offset) + ") points inside the headers: the file is damaged";
    const int64_t height = stored < 0 ? -stored : stored;
    if (width > INT32_MAX / 3 || height > INT32_MAX)
        return "its size " + size2(width, height) + " is too large";
    const uint64_t stride = (uint64_t(width) * 3 + 3) & ~uint64_t{3};
    const uint64_t needed = offset + stride * uint64_t(height - 1) + uint64_t(width) * 3;
    if (needed > size)
        return "its " + size2(width, height) + " pixels need " + to_string(needed) + " bytes, the file holds " +
               to_string(size) + ": it is cut short";
    return {};
}

// ---- TGA.
std::string tgaTypeName(unsigned type)
{
    switch (type) {
    case 1:
        return "colour-mapped (type 1)";
    case 2:
        return "uncompressed true colour (type 2)";
    case 3:
        return "greyscale (type 3)";
    case 9:
        return "run-length colour-mapped (type 9)";
    case 10:
        return "run-length true colour (type 10)";
    case 11:
        return "run-length greyscale (type 11)";
    default:
        return "type " + to_string(type);
    }
}

bool tgaKnownType(unsigned t) { return t == 1 || t == 2 || t == 3 || t == 9 || t == 10 || t == 11; }

// The header rules of the surface loader; `dataAt` is where the pixels
// start when they are met.
std::string tgaHeaderReason(const unsigned char* d, size_t size, uint64_t& dataAt)
{
    if (size < 18)
        return "too short for a TGA header (" + to_string(size) + " of 18 bytes): the file is cut short";
    const unsigned type = d[2], depth = d[16];
    if (!tgaKnownType(type))
        return {};
    if (depth != 8 && depth != 16 && depth != 24 && depth != 32)
        return "its pixel depth is " + tools::counted(depth, "bit") + "; the library reads 8, 16, 24 and 32";
    const unsigned mapType = d[1], mapFirst = le16(d + 3), mapLength = le16(d + 5), mapBits = d[7];
    uint64_t at = 18 + uint64_t(d[0]);
    if (at > size)
        return "its image ID field (" + tools::counted(d[0], "byte") + ") runs past the end of the file: it is cut short";
    if (depth == 8) {
        const bool grey = type == 3 || type == 11;
        if (mapType == 1) {
            if (mapFirst != 0 || mapLength != 256 || mapBits != 24)
                return "its colour map has " + tools::counted(mapLength, "entry", "entries") +
                       " of " + tools::counted(mapBits, "bit") + " from index " + to_string(mapFirst) +
                       "; the library reads 8-bit TGA files only with a map of 256 entries of 24 bits from index 0: "
                       "save it as 24- or 32-bit true colour";
            if (at + 768 > size)
                return "its colour map runs past the end of the file: it is cut short";
            at += 768;
        } else if (!grey) {
            return "it is an 8-bit " + tgaTypeName(type) + " TGA without a colour map: the library cannot tell "
                   "its colours; save it as 24- or 32-bit true colour";
        }
    } else if (mapType == 1) {
        at += uint64_t(mapLength) * ((mapBits + 7) / 8);
        if (at > size)
            return "its colour map runs past the end of the file: it is cut short";
    }
    const uint64_t pixels = uint64_t(le16(d + 12)) * le16(d + 14), bytes = depth / 8;
    const uint64_t left = size - at;
    if (type < 9 && pixels * bytes > left)
        return "its " + size2(le16(d + 12), le16(d + 14)) + " pixels need " + to_string(pixels * bytes) +
               " bytes, the file holds " + to_string(left) + " after the header: it is cut short";
    if (type >= 9 && (pixels + 127) / 128 * (1 + bytes) > left)
        return "its " + size2(le16(d + 12), le16(d + 14)) + " run-length pixels cannot fit in the " +
               tools::counted(left, "byte") + " after the header: it is cut short";
    dataAt = at;
    return {};
}

// Walks the run-length packets as the library decodes them.
std::string tgaPacketReason(const unsigned char* d, size_t size, uint64_t at)
{
    const uint64_t pixels = uint64_t(le16(d + 12)) * le16(d + 14), bytes = d[16] / 8;
    uint64_t done = 0;
    while (done < pixels) {
        if (at >= size)
            return "its run-length packets end after " + to_string(done) + " of " + to_string(pixels) +
                   " pixels: the file is cut short";
        const unsigned head = d[at++];
        const uint64_t run = (head & 127) + 1u;
        const uint64_t values = head >= 128 ? 1 : run;
        const uint64_t wanted = pixels - done < run ? pixels - done : run;
        const uint64_t read = head >= 128 ? 1 : wanted;
        if (size - at < read * bytes)
            return "its run-length packets end after " + to_string(done) + " of " + to_string(pixels) +
                   " pixels: the file is cut short";
        at += values * bytes > size - at ? size - at : values * bytes;
        done += wanted;
    }
    return {};
}

std::string tgaReason(vtlpack::Loader loader, const unsigned char* d, size_t size)
{
    uint64_t dataAt = 0;
    std::string reason = tgaHeaderReason(d, size, dataAt);
    if (!reason.empty())
        return reason;
    const unsigned type = d[2], depth = d[16];
    if (loader == vtlpack::Loader::RleImage) {
        if (type != 2 || (depth != 24 && depth != 32))
            return "it is a " + tgaTypeName(type) + " TGA of " + to_string(depth) +
                   " bits; RLE images (and frames added with bltTga) are made only from uncompressed true-colour "
                   "TGA files (type 2) of 24 or 32 bits: save it so, or convert it with vtlsprite rle and load the "
                   ".RLE";
        return {};
    }
    if (tgaKnownType(type) && type >= 9)
        return tgaPacketReason(d, size, dataAt);
    return {};
}

// ---- RLE: the decoder's checks, with the run buffer the size rule gives
// at the display's depth.
std::string rleReason(const unsigned char* d, size_t size, unsigned displayBits, const std::string& what)
{
    if (size < 15)
        return what + "is too short for an RLE header (" + to_string(size) + " of 15 bytes)";
    const uint32_t width = le16(d), height = le16(d + 2), declared = le32(d + 4);
    if (declared > (size - 15) / 3)
        return what + "counts " + to_string(declared) + " stored pixels in its header, but the file has room for " +
               to_string((size - 15) / 3) + " at most: it is cut short, or not an RLE file";
    const int64_t bytesPerPixel = displayBits / 8;
    const int64_t capacity = (bytesPerPixel - 3) * int64_t(declared) + int64_t(size);
    uint64_t in = 15, out = 0, stored = 0;
    for (uint32_t row = 0; row < height; ++row) {
        uint32_t col = 0;
        for (;;) {
            if (size - in < 2)
                return what + "ends in row " + to_string(row) + " of " + to_string(height) + ": it is cut short";
            const unsigned word = le16(d + in);
            in += 2;
            out += 2;
            const unsigned n = word & 0x3FFF;
            if (word == 0 || n == 0)
                break;
            if (n > width - col)
                return what + "has more than " + tools::counted(width, "pixel") + " in row " + to_string(row) +
                       ": the runs disagree with the width in its header";
            col += n;
            if (word & 0x8000)
                continue;
            const bool level = (word & 0x4000) != 0;
            if (size - in < uint64_t(n) * (level ? 4 : 3))
                return what + "ends in row " + to_string(row) + " of " + to_string(height) + ": it is cut short";
            in += uint64_t(n) * (level ? 4 : 3);
            out += uint64_t(n) * uint64_t(bytesPerPixel + (level ? 1 : 0));
            stored += n;
        }
    }
    if (int64_t(out) > capacity)
        return what + "stores " + tools::counted(stored, "pixel") + " in its rows but counts " + to_string(declared) +
               " in its header; the library sizes the image from the header, which at " + to_string(displayBits) +
               " bits is too small: write the file again with vtlsprite";
    return {};
}

std::string rlaReason(const unsigned char* d, size_t size, unsigned displayBits)
{
    if (size < 2)
        return "too short for an RLA frame count (" + to_string(size) + " of 2 bytes)";
    const uint32_t count = le16(d);
    uint64_t at = 2;
    for (uint32_t i = 0; i < count; ++i) {
        if (size - at < 8)
            return "frame " + to_string(i) + " of " + to_string(count) +
                   " is missing: the file ends before its record (cut short, or the frame count is wrong)";
        const uint32_t length = le32(d + at);
        if (length < 15 || length > size - at - 8)
            return "frame " + to_string(i) + " of " + to_string(count) + " declares " + tools::counted(length, "byte") +
                   " of image, " +
                   (length < 15 ? std::string("fewer than an RLE header") : "more than the file holds") +
                   ": the file is damaged or cut short";
        const std::string reason =
            rleReason(d + at + 8, length, displayBits, "frame " + to_string(i) + "'s image ");
        if (!reason.empty())
            return reason;
        at += 8 + uint64_t(length);
    }
    return {};
}

// ---- WAV: the RIFF chunks, then the formats the sound device plays.
std::string wavReason(const unsigned char* d, size_t size)
{
    if (size < 12 || std::string(reinterpret_cast<const char*>(d), 4) != "RIFF" ||
        std::string(reinterpret_cast<const char*>(d + 8), 4) != "WAVE")
        return "not a WAV file (no RIFF WAVE header)";
    const uint32_t riff = le32(d + 4);
    if (riff <= 4)
        return "its RIFF header declares no chunks";
    const uint64_t end = uint64_t(riff) + 8 < size ? uint64_t(riff) + 8 : size;
    const unsigned char* format = nullptr;
    bool haveData = false;
    uint64_t dataSize = 0;
    for (uint64_t at = 12; at + 8 <= end && (!format || !haveData);) {
        const std::string id(reinterpret_cast<const char*>(d + at), 4);
        const uint32_t chunk = le32(d + at + 4);
        const uint64_t body = at + 8;
        if (id == "fmt " && !format) {
            if (chunk < 14 || body + 14 > end || body + 16 > size)
                return "its format chunk is too short or cut off";
            format = d + body;
        } else if (id == "data" && !haveData) {
            haveData = true;
            dataSize = chunk < end - body ? chunk : end - body;
        }
        at = body + chunk + (chunk & 1);
    }
    if (!format)
        return "it has no format chunk (\"fmt \") within its RIFF size: the file is damaged or cut short";
    if (!haveData)
        return "it has no data chunk within its RIFF size: the file is damaged or cut short";
    const unsigned tag = le16(format), channels = le16(format + 2), bits = le16(format + 14);
    const uint32_t rate = le32(format + 4);
    const unsigned blockAlign = le16(format + 12);
    const std::string save = ": save it as 8- or 16-bit PCM (or 32-bit float), mono or stereo";
    switch (tag) {
    case 1:
        if (bits != 8 && bits != 16)
            return "it holds " + to_string(bits) + "-bit PCM; the library plays 8- and 16-bit PCM" + save;
        break;
    case 3:
        if (bits != 32)
            return "it holds " + to_string(bits) + "-bit float samples; the library plays 32-bit float" + save;
        break;
    case 2:
        return "it is compressed as Microsoft ADPCM (format 2); the library plays uncompressed sound only" + save;
    case 6:
        return "it is A-law coded (format 6); the library plays uncompressed sound only" + save;
    case 7:
        return "it is mu-law coded (format 7); the library plays uncompressed sound only" + save;
    case 0x11:
        return "it is compressed as IMA ADPCM (format 17); the library plays uncompressed sound only" + save;
    case 0x55:
        return "it holds MP3 data (format 85); the library plays uncompressed sound only" + save;
    case 0xFFFE:
        return "it has an extensible format header (as editors write for 24-bit or multichannel sound); the "
               "library reads only plain PCM and float headers" + save;
    default:
        return "its sample format " + to_string(tag) + " is not one the library plays" + save;
    }
    if (channels < 1 || channels > 2)
        return "it has " + to_string(channels) + " channels; the library plays mono and stereo: mix it down";
    if (blockAlign != channels * bits / 8)
        return "its block size (" + to_string(blockAlign) + ") does not match " +
               tools::counted(channels, "channel") + " of " + tools::counted(bits, "bit") + ": the header is damaged";
    if (rate < 100 || rate > 200000)
        return "its sample rate " + to_string(rate) + " Hz is outside the 100 to 200000 Hz the library plays";
    if (dataSize < 4 || dataSize < blockAlign)
        return "its data chunk holds " + tools::counted(dataSize, "byte") + ": no sound to play";
    if (dataSize > 0x0FFFFFFF)
        return "its " + to_string(dataSize) + " bytes of sound exceed the 256 MiB a sound buffer holds";
    return {};
}
} // namespace

std::string vtlpack::refusalReason(Loader loader, FileKind kind, const unsigned char* data, size_t size,
                                   unsigned displayBits)
{
    if (!data || size == 0)
        return "the entry is empty";
    switch (kind) {
    case FileKind::Bmp:
        return bmpReason(data, size);
    case FileKind::Tga:
        return tgaReason(loader, data, size);
    case FileKind::Rle:
        return rleReason(data, size, displayBits, "it ");
    case FileKind::Rla:
        return rlaReason(data, size, displayBits);
    case FileKind::Wav:
        return wavReason(data, size);
    }
    return {};
}

std::string vtlpack::acceptedButNote(Loader loader, FileKind kind, const unsigned char* data, size_t size)
{
    if (kind != FileKind::Tga || size < 18)
        return {};
    if (loader == Loader::Surface && !tgaKnownType(data[2]))
        return "TGA " + tgaTypeName(data[2]) + " holds no pixels the library reads: it loads as a black picture of " +
               size2(le16(data + 12), le16(data + 14));
    if (data[17] & 0x20)
        return "its rows are stored top row first, but the library reads every TGA bottom row first: it shows "
               "upside down (save it bottom-up, or convert it with vtlsprite, which turns it)";
    return {};
}
