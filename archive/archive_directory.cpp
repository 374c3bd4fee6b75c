#include "archive/archive_directory.h"

#include <cstdint>

const char* vtl::checkArchiveDirectory(const unsigned char* bytes, size_t length)
{
    if (!bytes || length < 4)
        return "too short";
    uint64_t count = readLe32(bytes);
    if (count == 0)
        return "no end entry";
    uint64_t directoryEnd = 4 + count * kDirectoryRecordSize;
    if (directoryEnd > length)
        return "directory past end";
    uint64_t previous = directoryEnd;
    const unsigned char* record = bytes + 4;
    for (uint64_t i = 0; i < count; ++i, record += kDirectoryRecordSize) {
        uint64_t offset = recordOffset(record);
        if (offset < previous)
            return "entries out of order";
        previous = offset;
    }
    if (previous > length)
        return "entries past end";
    return nullptr;
}
