#include "surface/image_bmp_reader.h"

#include <cstdint>

#include "archive/archive_directory.h"

namespace {
constexpr size_t kHeadersSize = 54;
}

bool vtl::readBmp(const unsigned char* data, size_t available, BmpPicture& picture)
{
    if (!data || available < kHeadersSize)
        return false;
    const unsigned signature = data[0] | data[1] << 8;
    if (signature != 0x4D42 || readLe32(data + 14) != 40)
        return false;
    const int64_t width = static_cast<LONG>(readLe32(data + 18));
    const int64_t storedHeight = static_cast<LONG>(readLe32(data + 22));
    const unsigned bits = data[28] | data[29] << 8;
    const DWORD compression = readLe32(data + 30);
    uint64_t offset = readLe32(data + 10);
    if (offset == 0)
        offset = kHeadersSize; // left unset by some writers; the rows follow the headers
    if (width < 1 || storedHeight == 0 || bits != 24 || compression != 0 || offset < kHeadersSize)
        return false;
    const int64_t height = storedHeight < 0 ? -storedHeight : storedHeight;
    if (width > INT32_MAX / 3 || height > INT32_MAX)
        return false;
    const uint64_t stride = (static_cast<uint64_t>(width) * 3 + 3) & ~uint64_t{3};
    const uint64_t needed = offset + stride * static_cast<uint64_t>(height - 1) + static_cast<uint64_t>(width) * 3;
    if (needed > available)
        return false;
    picture.width = static_cast<LONG>(width);
    picture.height = static_cast<LONG>(height);
    picture.stride = static_cast<DWORD>(stride);
    const unsigned char* first = data + offset;
    if (storedHeight > 0) {
        picture.topRow = first + stride * static_cast<uint64_t>(height - 1);
        picture.rowStep = -static_cast<ptrdiff_t>(stride);
    } else {
        picture.topRow = first;
        picture.rowStep = static_cast<ptrdiff_t>(stride);
    }
    return true;
}
