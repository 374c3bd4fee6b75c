#include <vantrel/seam/riff_wave.h>

#include <cstdint>
#include <cstring>

namespace vtl {
namespace {

DWORD le32(const unsigned char* p)
{
    return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
}

} // namespace

bool readRiffWave(const unsigned char* bytes, DWORD available, WAVEFORMATEX** format, unsigned char** data,
                  DWORD* dataSize)
{
    if (format)
        *format = nullptr;
    if (data)
        *data = nullptr;
    if (dataSize)
        *dataSize = 0;
    if (!bytes || available < 12)
        return false;
    if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return false;
    DWORD riffSize = le32(bytes + 4);
    if (riffSize <= 4)
        return false;
    // 64-bit arithmetic: a RIFF size near 4 GB must not wrap.
    uint64_t end = uint64_t(riffSize) + 8;
    if (end > available)
        end = available;

    bool wantFormat = format != nullptr, wantData = data != nullptr || dataSize != nullptr;
    bool haveFormat = false, haveData = false;
    uint64_t offset = 12;
    while (offset + 8 <= end) {
        const unsigned char* header = bytes + offset;
        DWORD size = le32(header + 4);
        uint64_t body = offset + 8;
        if (wantFormat && !haveFormat && std::memcmp(header, "fmt ", 4) == 0) {
            // Users read the record up to wBitsPerSample (16 bytes; PCM has
            // no cbSize): a 14-byte chunk borrows two bytes after it, which
            // must exist.
            if (size < 14 || body + 14 > end || body + 16 > available)
                return false;
            *format = reinterpret_cast<WAVEFORMATEX*>(const_cast<unsigned char*>(bytes + body));
            haveFormat = true;
        } else if (wantData && !haveData && std::memcmp(header, "data", 4) == 0) {
            DWORD present = DWORD(end - body);
            if (data)
                *data = const_cast<unsigned char*>(bytes + body);
            if (dataSize)
                *dataSize = size < present ? size : present;
            haveData = true;
        }
        if (haveFormat == wantFormat && haveData == wantData)
            return true;
        offset = body + size + (size & 1);
    }
    return false;
}

} // namespace vtl
