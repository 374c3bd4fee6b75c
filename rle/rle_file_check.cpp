#include "rle/rle_file_decoder.h"

namespace {
// Counts what the decoder would write, with no buffer to stop it, so that
// a file too large for its buffer says by how many pixels.
struct RunSize {
    unsigned pixelBytes;
    uint64_t bytes = 0;
    uint64_t pixels = 0;
    bool word(unsigned)
    {
        bytes += 2;
        return true;
    }
    bool run(const uint8_t*, unsigned n, bool level)
    {
        bytes += uint64_t{n} * (pixelBytes + (level ? 1 : 0));
        pixels += n;
        return true;
    }
};
} // namespace

vtl::RleCheck vtl::checkRleFile(const uint8_t* data, size_t size, unsigned pixelBytes, size_t spareBytes)
{
    if (!data || size < kRleHeaderSize)
        return refuse(RleRefusal::TooShort, data ? static_cast<int64_t>(size) : 0, kRleHeaderSize);
    const RleFileHeader h = rleFileHeader(data);
    const uint64_t room = (size - kRleHeaderSize) / 3;
    if (h.pixelCount > room)
        return refuse(RleRefusal::PixelCount, h.pixelCount, static_cast<int64_t>(room));
    RunSize runs{pixelBytes};
    const RleCheck rows = walkRleRows(data, size, h, runs);
    if (!rows.ok())
        return rows;
    if (runs.bytes > static_cast<uint64_t>(rleBufferSize(h, size, pixelBytes, spareBytes)))
        return refuse(RleRefusal::BufferTooSmall, static_cast<int64_t>(runs.pixels), h.pixelCount);
    return {};
}
