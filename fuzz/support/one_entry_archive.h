// An archive of one entry whose bytes end the archive, for fuzzers that feed
// their input to the library's loaders through the registry: the entry is
// the last thing in a buffer of exactly the archive's size, so any read past
// the entry leaves the buffer and AddressSanitizer reports it.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace fuzzing {

// Count, two records (the entry and the end marker), then the bytes.
inline std::vector<unsigned char> oneEntryArchive(const char* name, const uint8_t* data, size_t size)
{
    std::vector<unsigned char> a(4 + 2 * 17);
    a[0] = 2;
    const uint32_t start = 4 + 2 * 17, end = start + static_cast<uint32_t>(size);
    std::memcpy(&a[4], &start, 4);
    std::strncpy(reinterpret_cast<char*>(&a[8]), name, 12);
    std::memcpy(&a[21], &end, 4);
    a.insert(a.end(), data, data + size);
    return a;
}

// The pixel count a TGA header declares, which the library may honour with
// a blank picture of that size; fuzzers keep such inputs small for their
// memory limit.
inline uint64_t tgaHeaderPixels(const uint8_t* data, size_t size)
{
    if (size < 18)
        return 0;
    return uint64_t(data[12] | data[13] << 8) * (data[14] | data[15] << 8);
}

// The debug receiver for fuzzing: refusals are expected, their texts noise.
inline void quietReceiver(const char*, void*) {}

} // namespace fuzzing
