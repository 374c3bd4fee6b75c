// The library's readers say which rule a file breaks and with what numbers
// (surface/image_bmp_reader.h, surface/image_tga_reader.h,
// rle/rle_file_decoder.h, anim/rla_format.h); here each rule gets its words
// and its fix.  The sound device's formats are still read here.
#include "tools/vtlpack/refusal_reasons.h"

#include <cstdint>

#include "tools/english.h"
#include "tools/pictures/picture.h"

namespace {
using std::to_string;

uint32_t le16(const unsigned char* p) { return p[0] | uint32_t(p[1]) << 8; }
uint32_t le32(const unsigned char* p) { return le16(p) | le16(p + 2) << 16; }

std::string size2(uint64_t w, uint64_t h) { return to_string(w) + " x " + to_string(h); }

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

// ---- RLE: the decoder's rules, with the run buffer the size rule gives at
// the display's depth.
std::string rleReason(const vtl::RleCheck& c, unsigned displayBits, const std::string& what)
{
    using vtl::RleRefusal;
    switch (c.code) {
    case RleRefusal::Ok:
        return {};
    case RleRefusal::TooShort: {
        const int64_t size = c.value;
        return what + "is too short for an RLE header (" + to_string(size) + " of 15 bytes)";
    }
    case RleRefusal::PixelCount: {
        const int64_t declared = c.value, room = c.limit;
        return what + "counts " + to_string(declared) + " stored pixels in its header, but the file has room for " +
               to_string(room) + " at most: it is cut short, or not an RLE file";
    }
    case RleRefusal::RowCutShort: {
        const int64_t row = c.field, height = c.limit;
        return what + "ends in row " + to_string(row) + " of " + to_string(height) + ": it is cut short";
    }
    case RleRefusal::RowTooWide: {
        const int64_t row = c.field, width = c.limit;
        return what + "has more than " + tools::counted(uint64_t(width), "pixel") + " in row " + to_string(row) +
               ": the runs disagree with the width in its header";
    }
    case RleRefusal::BufferTooSmall: {
        const int64_t stored = c.value, declared = c.limit;
        return what + "stores " + tools::counted(uint64_t(stored), "pixel") + " in its rows but counts " + to_string(declared) +
               " in its header; the library sizes the image from the header, which at " + to_string(displayBits) +
               " bits is too small: write the file again with vtlsprite";
    }
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

// ---- BMP: one reader for surfaces, RLE images and alpha maps.
std::string vtlpack::explain(const vtl::BmpCheck& c)
{
    using vtl::BmpRefusal;
    switch (c.code) {
    case BmpRefusal::Ok:
        return {};
    case BmpRefusal::NotBmp:
        return "not a BMP file (it does not start with \"BM\")";
    case BmpRefusal::TooShort: {
        const int64_t size = c.value;
        return "too short for a BMP header (" + to_string(size) + " of 54 bytes): the file is cut short";
    }
    case BmpRefusal::InfoHeaderSize: {
        const int64_t header = c.value;
        return "its info header is " + to_string(header) +
               " bytes long; the library reads only the 40-byte Windows header: save it as a plain 24-bit "
               "Windows BMP (no colour-space information), or pack it with vtlpack create --convert";
    }
    case BmpRefusal::BitsPerPixel: {
        const int64_t bits = c.value;
        return "it has " + tools::counted(uint64_t(bits), "bit") +
               " per pixel; the library reads only 24-bit BMP files: save it as 24-bit (no palette, no "
               "alpha), or pack it with vtlpack create --convert, which reads every BMP";
    }
    case BmpRefusal::Compressed: {
        const int64_t compression = c.value;
        return "it is compressed (compression " + to_string(compression) +
               "); the library reads only uncompressed BMP files: save it uncompressed, or pack it with vtlpack "
               "create --convert";
    }
    case BmpRefusal::NoWidth:
        return "its width is " + to_string(c.value) + ": nothing to load";
    case BmpRefusal::NoHeight:
        return "its height is 0: nothing to load";
    case BmpRefusal::DataOffset: {
        const int64_t offset = c.value;
        return "its pixel data offset (" + to_string(offset) + ") points inside the headers: the file is damaged";
    }
    case BmpRefusal::TooWide:
        return "its width " + to_string(c.value) + " is too large";
    case BmpRefusal::TooTall:
        return "its height " + to_string(c.value) + " is too large";
    case BmpRefusal::CutShort: {
        const int64_t needed = c.limit, size = c.value;
        return "its pixels need " + to_string(needed) + " bytes, the file holds " + to_string(size) +
               ": it is cut short";
    }
    }
    return {};
}

// ---- TGA.
std::string vtlpack::explain(const vtl::TgaCheck& c)
{
    using vtl::TgaRefusal;
    switch (c.code) {
    case TgaRefusal::Ok:
        return {};
    case TgaRefusal::TooShort: {
        const int64_t size = c.value;
        return "too short for a TGA header (" + to_string(size) + " of 18 bytes): the file is cut short";
    }
    case TgaRefusal::Depth: {
        const int64_t depth = c.value;
        return "its pixel depth is " + tools::counted(uint64_t(depth), "bit") +
               "; the library reads 8, 16, 24 and 32: save it so, or pack it with vtlpack create --convert";
    }
    case TgaRefusal::IdPastEnd:
        return "its image ID field (" + tools::counted(uint64_t(c.value), "byte") + ") runs past the end of the file: it is cut short";
    case TgaRefusal::ColourMapLayout: {
        const int64_t mapFirst = c.field, mapLength = c.value, mapBits = c.limit;
        return "its colour map has " + tools::counted(uint64_t(mapLength), "entry", "entries") + " of " +
               tools::counted(uint64_t(mapBits), "bit") + " from index " + to_string(mapFirst) +
               "; the library reads 8-bit TGA files only with a map of 256 entries of 24 bits from index 0: "
               "save it as 24- or 32-bit true colour, or pack it with vtlpack create --convert, which stores it so";
    }
    case TgaRefusal::ColourMapPastEnd:
        return "its colour map runs past the end of the file: it is cut short";
    case TgaRefusal::NoColourMap: {
        const unsigned type = unsigned(c.value);
        return "it is an 8-bit " + tgaTypeName(type) + " TGA without a colour map: the library cannot tell "
               "its colours; save it as 24- or 32-bit true colour, or pack it with vtlpack create --convert";
    }
    case TgaRefusal::PixelsCutShort: {
        const int64_t needed = c.limit, left = c.value;
        return "its pixels need " + to_string(needed) + " bytes, the file holds " + to_string(left) +
               " after the header: it is cut short";
    }
    case TgaRefusal::RunsCannotFit: {
        const int64_t left = c.value;
        return "its run-length pixels cannot fit in the " + tools::counted(uint64_t(left), "byte") +
               " after the header: it is cut short";
    }
    case TgaRefusal::PacketsEnd: {
        const int64_t done = c.value, pixels = c.limit;
        return "its run-length packets end after " + to_string(done) + " of " + to_string(pixels) +
               " pixels: the file is cut short";
    }
    case TgaRefusal::NotRunImageType: {
        const unsigned type = unsigned(c.field);
        const int64_t depth = c.value;
        return "it is " + tools::withArticle(tgaTypeName(type)) + " TGA of " + to_string(depth) +
               " bits; RLE images (and frames added with bltTga) are made only from uncompressed true-colour "
               "TGA files (type 2) of 24 or 32 bits: save it so, or pack it with vtlpack create --convert, or "
               "convert it with vtlsprite rle and load the .RLE";
    }
    }
    return {};
}

std::string vtlpack::explain(const vtl::RleCheck& c, unsigned displayBits) { return rleReason(c, displayBits, "it "); }

std::string vtlpack::explain(const vtl::rla::RlaCheck& c, unsigned displayBits)
{
    using vtl::rla::RlaRefusal;
    const int64_t i = c.field;
    const unsigned count = c.frameCount;
    switch (c.code) {
    case RlaRefusal::Ok:
        return {};
    case RlaRefusal::NoFrameCount: {
        const int64_t size = c.value;
        return "too short for an RLA frame count (" + to_string(size) + " of 2 bytes)";
    }
    case RlaRefusal::RecordPastEnd:
        return "frame " + to_string(i) + " of " + to_string(count) +
               " is missing: the file ends before its record (cut short, or the frame count is wrong)";
    case RlaRefusal::ImageTooShort:
    case RlaRefusal::ImagePastEnd: {
        const int64_t length = c.value;
        return "frame " + to_string(i) + " of " + to_string(count) + " declares " + tools::counted(uint64_t(length), "byte") +
               " of image, " +
               (c.code == RlaRefusal::ImageTooShort ? std::string("fewer than an RLE header")
                                                    : "more than the file holds") +
               ": the file is damaged or cut short";
    }
    case RlaRefusal::FrameImage:
        return rleReason(c.image, displayBits, "frame " + to_string(i) + "'s image ");
    }
    return {};
}

std::string vtlpack::refusalReason(Loader loader, FileKind kind, const unsigned char* data, size_t size,
                                   unsigned displayBits)
{
    if (!data || size == 0)
        return "the entry is empty";
    // A file of another kind under a picture's name: its header read as a
    // BMP's or a TGA's would give only nonsense numbers.
    const std::string other = describeFileKind(data, size);
    if ((kind == FileKind::Bmp && !other.empty() && other != "a BMP picture") ||
        (kind == FileKind::Tga && !other.empty()))
        return "it is " + other + ", not " + (kind == FileKind::Bmp ? "a BMP" : "a TGA") +
               " file: pack it with vtlpack create --convert, which stores it as one";
    vtl::TgaImage tga;
    switch (kind) {
    case FileKind::Bmp:
        return explain(vtl::checkBmp(data, size));
    case FileKind::Tga:
        return explain(vtl::checkTga(data, size, loader == Loader::RleImage ? vtl::TgaUse::RunImage
                                                                            : vtl::TgaUse::Surface, tga));
    case FileKind::Rle:
        return explain(vtl::checkRleFile(data, size, displayBits / 8, 0), displayBits);
    case FileKind::Rla:
        return explain(vtl::rla::check(data, size, displayBits / 8), displayBits);
    case FileKind::Wav:
        return wavReason(data, size);
    }
    return {};
}

std::string vtlpack::acceptedButNote(Loader loader, FileKind kind, const unsigned char* data, size_t size)
{
    vtl::TgaImage tga;
    if (kind != FileKind::Tga || !vtl::checkTga(data, size, vtl::TgaUse::Surface, tga).ok())
        return {};
    if (loader == Loader::Surface && !tga.knownType)
        return "TGA " + tgaTypeName(tga.type) + " holds no pixels the library reads: it loads as a black picture of " +
               size2(tga.width, tga.height);
    // The library reads every TGA bottom row first; the descriptor is the
    // author's word about how it was saved.
    if (data[17] & 0x20)
        return "its rows are stored top row first, but the library reads every TGA bottom row first: it shows "
               "upside down (save it bottom-up, or pack it with vtlpack create --convert, which turns it)";
    if (data[17] & 0x10)
        return "its rows are stored right to left, but the library reads every TGA left to right: it shows "
               "mirrored (save it with the origin at the left, or pack it with vtlpack create --convert, which "
               "turns it)";
    return {};
}
