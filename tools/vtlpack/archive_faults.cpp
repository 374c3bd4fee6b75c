// Why the library refuses an archive file, in numbers: FastFileInit says
// only "invalid archive", which does not tell a cut-short copy from a file
// that is no archive at all.
#include "tools/vtlpack/vtlpack.h"

#include <cstdint>

#include "archive/archive_directory.h"
#include "tools/english.h"

std::string vtlpack::archiveFault(const std::string& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const uint64_t length = bytes.size();
    if (length == 0)
        return "empty file, not an archive";
    if (length < 4)
        return "too short for an archive (" + tools::counted(length, "byte") + "; the entry count alone takes 4)";
    const uint64_t count = vtl::readLe32(data);
    if (count == 0)
        return "the entry count is 0: an archive has at least its end entry (is this an archive?)";
    const uint64_t directoryEnd = 4 + count * vtl::kDirectoryRecordSize;
    if (directoryEnd > length)
        return "the directory of " + tools::counted(count, "entry", "entries") + " needs " + std::to_string(directoryEnd) +
               " bytes, the file holds " + std::to_string(length) + " (cut short, or not an archive)";
    uint64_t previous = directoryEnd;
    const unsigned char* record = data + 4;
    for (uint64_t i = 0; i < count; ++i, record += vtl::kDirectoryRecordSize) {
        const uint64_t offset = vtl::recordOffset(record);
        if (offset < previous)
            return "entry " + std::to_string(i + 1) + " starts at " + std::to_string(offset) +
                   ", before the end of the " +
                   (i == 0 ? std::string("directory") : "entry before it") + " (" + std::to_string(previous) +
                   "): the directory is damaged";
        previous = offset;
    }
    if (previous > length)
        return "the entries end at " + std::to_string(previous) + ", past the end of the file (" +
               std::to_string(length) + " bytes): the file is cut short";
    return std::string();
}
