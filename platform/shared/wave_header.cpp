#include "platform/shared/wave_header.h"

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <fstream>

namespace vtl {
namespace {

DWORD le32(const unsigned char* p)
{
    return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
}

bool readAt(std::ifstream& in, uint64_t offset, void* out, size_t size)
{
    in.clear();
    in.seekg(std::streamoff(offset));
    in.read(static_cast<char*>(out), std::streamsize(size));
    return in.gcount() == std::streamsize(size);
}

} // namespace

bool readWaveHeader(const std::string& path, WaveHeader* header)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    // The whole file is read into memory later, so it stays below 4 GiB.
    if (length < 12 || uint64_t(length) > UINT32_MAX)
        return false;
    const uint64_t available = uint64_t(length);
    unsigned char riff[12];
    if (!readAt(in, 0, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return false;
    const DWORD riffSize = le32(riff + 4);
    if (riffSize <= 4)
        return false;
    const uint64_t end = std::min<uint64_t>(uint64_t(riffSize) + 8, available);

    bool haveFormat = false, haveData = false;
    uint64_t offset = 12;
    while (offset + 8 <= end) {
        unsigned char chunk[8];
        if (!readAt(in, offset, chunk, sizeof chunk))
            return false;
        const DWORD size = le32(chunk + 4);
        const uint64_t body = offset + 8;
        if (!haveFormat && std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 14 || body + 14 > end || body + 16 > available)
                return false;
            std::memset(&header->format, 0, sizeof header->format);
            if (!readAt(in, body, &header->format, 16))
                return false;
            header->format.cbSize = 0;
            haveFormat = true;
        } else if (!haveData && std::memcmp(chunk, "data", 4) == 0) {
            const uint64_t present = end - body;
            header->dataSize = DWORD(std::min<uint64_t>(size, present));
            haveData = true;
        }
        if (haveFormat && haveData)
            return true;
        offset = body + size + (size & 1);
    }
    return false;
}

} // namespace vtl
