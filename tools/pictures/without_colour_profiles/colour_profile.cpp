// Colour profiles where lcms2 is missing (the Windows tools): a picture
// that has one is read with its colours as stored, and told so.
#include "colour_profile.h"
#include "file_bytes.h"

#include <cstring>

namespace {
const char kIgnored[] = "its colour profile was ignored (these tools apply none): the colours may differ from "
                        "what your paint program shows";
} // namespace

bool convertToSrgb(const uint8_t*, size_t, Picture&) { return false; }

void applyBmpColourProfile(const std::vector<uint8_t>& file, Picture& picture)
{
    if (file.size() < kBmpFileHeader + kBmpV5HeaderSize || le32(file, kBmpFileHeader) < kBmpV5HeaderSize)
        return;
    const uint32_t space = le32(file, kBmpColourSpace);
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
