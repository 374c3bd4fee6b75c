#include "archive/archive_directory.h"

#include <cstdint>

vtl::DirectoryCheck vtl::checkArchiveDirectory(const unsigned char* bytes, size_t length)
{
    const int64_t size = static_cast<int64_t>(length);
    if (!bytes || length < 4)
        return refuse(DirectoryRefusal::TooShort, size, 4);
    const int64_t count = readLe32(bytes);
    if (count == 0)
        return refuse(DirectoryRefusal::NoEndEntry);
    const int64_t directoryEnd = 4 + count * static_cast<int64_t>(kDirectoryRecordSize);
    if (directoryEnd > size)
        return refuse(DirectoryRefusal::DirectoryPastEnd, size, directoryEnd, count);
    int64_t previous = directoryEnd;
    const unsigned char* record = bytes + 4;
    for (int64_t i = 0; i < count; ++i, record += kDirectoryRecordSize) {
        const int64_t offset = recordOffset(record);
        if (offset < previous)
            return refuse(DirectoryRefusal::EntryOutOfOrder, offset, previous, i);
        previous = offset;
    }
    if (previous > size)
        return refuse(DirectoryRefusal::EntriesPastEnd, size, previous);
    return {};
}
