// Numbers read straight from a picture file's bytes, and the places in a BMP
// file's header the colour-profile code looks at.  Callers check the size.
#ifndef VTLTOOLS_FILE_BYTES_H
#define VTLTOOLS_FILE_BYTES_H

#include <cstddef>
#include <cstdint>
#include <vector>

inline uint32_t le32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
inline uint32_t be32(const std::vector<uint8_t>& b, size_t at)
{
    return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

// A BMP file: the 14-byte file header, then the info header, whose V5 form
// (124 bytes) names a colour space at its byte 56.
constexpr size_t kBmpFileHeader = 14;
constexpr uint32_t kBmpV5HeaderSize = 124;
constexpr size_t kBmpColourSpace = kBmpFileHeader + 56;
constexpr uint32_t kProfileEmbedded = 0x4D424544; // 'MBED'
constexpr uint32_t kProfileLinked = 0x4C494E4B;   // 'LINK'

#endif
