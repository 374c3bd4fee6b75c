// Recognising files by their first bytes, so that a refusal can say what a
// file is instead of reading a picture or a sound as an archive's directory.
#include "picture.h"

#include <cstring>

namespace {
bool startsWith(const uint8_t* bytes, size_t size, const char* magic, size_t length, size_t at = 0)
{
    return size >= at + length && std::memcmp(bytes + at, magic, length) == 0;
}

struct Signature {
    const char* magic;
    size_t length;
    size_t at;
    const char* format; // a picture format SDL2_image reads, or null
    const char* kind;
};

// Longer and more particular signatures first.
const Signature kSignatures[] = {
    {"\x89PNG\r\n\x1a\n", 8, 0, "PNG", "a PNG picture"},
    {"GIF87a", 6, 0, "GIF", "a GIF picture"},
    {"GIF89a", 6, 0, "GIF", "a GIF picture"},
    {"\xff\xd8\xff", 3, 0, "JPG", "a JPEG picture"},
    {"WEBP", 4, 8, "WEBP", "a WebP picture"},
    {"II*\0", 4, 0, "TIF", "a TIFF picture"},
    {"MM\0*", 4, 0, "TIF", "a TIFF picture"},
    {"qoif", 4, 0, "QOI", "a QOI picture"},
    {"BM", 2, 0, "BMP", "a BMP picture"},
    {"WAVE", 4, 8, nullptr, "a WAVE sound"},
    {"OggS", 4, 0, nullptr, "an Ogg file"},
    {"fLaC", 4, 0, nullptr, "a FLAC sound"},
    {"ID3", 3, 0, nullptr, "an MP3 sound"},
    {"PK\3\4", 4, 0, nullptr, "a ZIP archive"},
    {"\x1f\x8b", 2, 0, nullptr, "a gzip file"},
    {"\x7f" "ELF", 4, 0, nullptr, "a program (ELF)"},
    {"%PDF", 4, 0, nullptr, "a PDF document"},
    {"8BPS", 4, 0, nullptr, "a Photoshop picture (save it as PNG)"},
};

// PCX has a one-byte signature: its version and encoding bytes must fit too.
bool looksLikePcx(const uint8_t* b, size_t size)
{
    return size >= 128 && b[0] == 0x0A && b[1] <= 5 && b[2] <= 1 &&
           (b[3] == 1 || b[3] == 2 || b[3] == 4 || b[3] == 8);
}
} // namespace

std::string sniffPictureFormat(const uint8_t* bytes, size_t size)
{
    for (const Signature& s : kSignatures)
        if (s.format && startsWith(bytes, size, s.magic, s.length, s.at))
            return (s.at == 8 && !startsWith(bytes, size, "RIFF", 4)) ? std::string() : s.format;
    return looksLikePcx(bytes, size) ? "PCX" : std::string();
}

std::string describeFileKind(const uint8_t* bytes, size_t size)
{
    for (const Signature& s : kSignatures)
        if (startsWith(bytes, size, s.magic, s.length, s.at) && (s.at != 8 || startsWith(bytes, size, "RIFF", 4)))
            return s.kind;
    if (looksLikePcx(bytes, size))
        return "a PCX picture";
    return {};
}
