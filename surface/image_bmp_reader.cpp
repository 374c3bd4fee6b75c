#include "surface/image_bmp_reader.h"

#include <algorithm>
#include <cstdint>

#include "archive/archive_directory.h"

namespace {
constexpr int64_t kHeadersSize = 54;

struct BmpHeader {
    int64_t width;
    int64_t storedHeight; // negative: rows stored top-down
    int64_t offset;
    uint64_t stride;
};

BmpHeader headerOf(const unsigned char* data)
{
    BmpHeader h{};
    h.width = static_cast<LONG>(vtl::readLe32(data + 18));
    h.storedHeight = static_cast<LONG>(vtl::readLe32(data + 22));
    h.offset = vtl::readLe32(data + 10);
    if (h.offset == 0)
        h.offset = kHeadersSize; // left unset by some writers; the rows follow the headers
    h.stride = (static_cast<uint64_t>(h.width) * 3 + 3) & ~uint64_t{3};
    return h;
}
} // namespace

vtl::BmpCheck vtl::checkBmp(const unsigned char* data, size_t available)
{
    const int64_t size = static_cast<int64_t>(std::min<uint64_t>(available, uint64_t{INT64_MAX}));
    if (!data || available < 2 || data[0] != 'B' || data[1] != 'M')
        return refuse(BmpRefusal::NotBmp);
    if (size < kHeadersSize)
        return refuse(BmpRefusal::TooShort, size, kHeadersSize);
    if (readLe32(data + 14) != 40)
        return refuse(BmpRefusal::InfoHeaderSize, readLe32(data + 14), 40);
    const unsigned bits = data[28] | data[29] << 8;
    if (bits != 24)
        return refuse(BmpRefusal::BitsPerPixel, bits, 24);
    if (readLe32(data + 30) != 0)
        return refuse(BmpRefusal::Compressed, readLe32(data + 30));
    const BmpHeader h = headerOf(data);
    if (h.width < 1)
        return refuse(BmpRefusal::NoWidth, h.width, 1);
    if (h.storedHeight == 0)
        return refuse(BmpRefusal::NoHeight);
    if (h.offset < kHeadersSize)
        return refuse(BmpRefusal::DataOffset, h.offset, kHeadersSize);
    const int64_t height = h.storedHeight < 0 ? -h.storedHeight : h.storedHeight;
    if (h.width > INT32_MAX / 3)
        return refuse(BmpRefusal::TooWide, h.width, INT32_MAX / 3);
    if (height > INT32_MAX)
        return refuse(BmpRefusal::TooTall, height, INT32_MAX);
    // The padding after the last stored row may be missing.
    const uint64_t needed = static_cast<uint64_t>(h.offset) + h.stride * static_cast<uint64_t>(height - 1) +
                            static_cast<uint64_t>(h.width) * 3;
    if (needed > static_cast<uint64_t>(size))
        return refuse(BmpRefusal::CutShort, size, static_cast<int64_t>(needed));
    return {};
}

vtl::BmpPicture vtl::bmpPicture(const unsigned char* data)
{
    const BmpHeader h = headerOf(data);
    const int64_t height = h.storedHeight < 0 ? -h.storedHeight : h.storedHeight;
    BmpPicture picture{};
    picture.width = static_cast<LONG>(h.width);
    picture.height = static_cast<LONG>(height);
    picture.stride = static_cast<DWORD>(h.stride);
    const unsigned char* first = data + h.offset;
    if (h.storedHeight > 0) {
        picture.topRow = first + h.stride * static_cast<uint64_t>(height - 1);
        picture.rowStep = -static_cast<ptrdiff_t>(h.stride);
    } else {
        picture.topRow = first;
        picture.rowStep = static_cast<ptrdiff_t>(h.stride);
    }
    return picture;
}
