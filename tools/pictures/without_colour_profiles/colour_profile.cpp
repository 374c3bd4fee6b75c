// Colour profiles where lcms2 is missing (the Windows tools): a picture
// that has one is read with its colours as stored, and told so.
#include "colour_profile.h"

#include <cstring>

namespace {
uint32_t le32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint32_t be32(const std::vector<uint8_t>& b, size_t at)
{
    return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

constexpr size_t kFileHeader = 14;
constexpr uint32_t kV5HeaderSize = 124;
constexpr uint32_t kProfileEmbedded = 0x4D424544; // 'MBED'
constexpr uint32_t kProfileLinked = 0x4C494E4B;   // 'LINK'

const char kIgnored[] = "its colour profile was ignored (these tools apply none): the colours may differ from "
                        "what your paint program shows";
} // namespace

bool convertToSrgb(const uint8_t*, size_t, Picture&) { return false; }

void applyBmpColourProfile(const std::vector<uint8_t>& file, Picture& picture)
{
    if (file.size() < kFileHeader + kV5HeaderSize || le32(file, kFileHeader) < kV5HeaderSize)
        return;
    const uint32_t space = le32(file, kFileHeader + 56);
    if (space == kProfileLinked || space == kProfileEmbedded)
        picture.warnings.push_back(kIgnored);
}

void applyPngColourProfile(const std::vector<uint8_t>& file, Picture& picture)
{
    // Chunks: length, type, data, CRC; the profile comes before the pixels.
    for (size_t at = 8; at + 12 <= file.size();) {
        const uint32_t length = be32(file, at);
        if (length > file.size() - at - 12 || std::memcmp(&file[at + 4], "IDAT", 4) == 0)
            return;
        if (std::memcmp(&file[at + 4], "iCCP", 4) == 0) {
            picture.warnings.push_back(kIgnored);
            return;
        }
        at += 12 + size_t(length);
    }
}
